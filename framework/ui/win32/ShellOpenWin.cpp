#include "DdeCommandWin.h"
#include "ShellOpen.h"
#include "ShellRegistrationWin.h"
#include "Win32Api.h"
#include "WinSystem.h"

#include <dde.h>
#include <set>

// On Windows the channel is the shell's DDE, spoken in raw window
// messages: one hidden top-level window (broadcasts reach no message-only
// window) answers WM_DDE_INITIATE for the program and the topic "system",
// holds every conversation, and opens the paths of [open("PATH")] executes.
// Its caption is the listening name, by which a second instance finds it.

namespace curvix {

namespace {

constexpr const wchar_t* kWindowClass = L"CurvixShellOpen";
constexpr const wchar_t* kTopic = L"system";
// Held while one instance looks for another's window and makes its own,
// so that two starting together do not both listen.
constexpr const wchar_t* kListenLock = L"Local\\CurvixShellOpenListen";
constexpr DWORD kListenLockTimeoutMs = 5000;
// How long an initiating client may take to take the answer.
constexpr UINT kInitiateAckTimeoutMs = 5000;
constexpr WORD kAccepted = 0x8000;

std::wstring AtomName(ATOM atom) {
    wchar_t name[256] = {};
    const UINT length = GlobalGetAtomNameW(atom, name, 256);
    return std::wstring(name, length);
}

// As atoms compare: without regard to case.
bool SameName(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), /*bIgnoreCase=*/1) == CSTR_EQUAL;
}

// The program file's name without folder and extension ("curvix" for
// C:\Program Files\Curvix\curvix.exe): the service the shell asks for when
// a document type names no other.
std::wstring ModuleBaseName() {
    std::wstring name = AfxModulePath();
    name.erase(0, name.find_last_of(L"\\/") + 1);
    const std::size_t dot = name.find_last_of(L'.');
    if (dot != std::wstring::npos)
        name.resize(dot);
    return name;
}

class DdeShellOpenServer : public CShellOpenServer {
public:
    explicit DdeShellOpenServer(Handler handler) : m_handler(std::move(handler)) {}
    ~DdeShellOpenServer() override;
    DdeShellOpenServer(const DdeShellOpenServer&) = delete;
    DdeShellOpenServer& operator=(const DdeShellOpenServer&) = delete;

    bool Listen(const std::string& program) override;
    std::string GetListeningName() const override {
        return m_window != nullptr ? Utf8FromWide(m_name) : std::string();
    }

private:
    static LRESULT CALLBACK WindowProc(::HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    bool MakeWindow();
    // The service name a conversation about application and topic is
    // answered with; empty when it is not this server's.
    std::wstring ServiceFor(ATOM application, ATOM topic) const;
    void OnInitiate(::HWND client, ATOM application, ATOM topic);
    void OnExecute(::HWND client, LPARAM lParam);
    void OnTerminate(::HWND client);
    void Refuse(::HWND client, UINT message, LPARAM lParam);
    std::optional<std::vector<std::string>> ReadCommand(::HWND client, HGLOBAL memory) const;

    Handler m_handler;
    ::HWND m_window = nullptr;
    std::wstring m_service; // the program, in lower case
    std::wstring m_moduleName;
    std::wstring m_name; // "<service>|system"
    std::set<::HWND> m_clients;
};

DdeShellOpenServer::~DdeShellOpenServer() {
    if (m_window == nullptr)
        return;
    for (::HWND client : m_clients)
        PostMessageW(client, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(m_window), 0);
    SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
    DestroyWindow(m_window);
}

// The program names the service, as the other systems name their channel
// after it; the program file's base name is answered too, the shell's
// default, which differs only when the file was renamed.
bool DdeShellOpenServer::Listen(const std::string& program) {
    std::wstring service = WideFromUtf8(program);
    if (service.empty() || service.size() > 255) // longer is no atom
        return false;
    CharLowerBuffW(service.data(), static_cast<DWORD>(service.size()));
    if (m_window != nullptr)
        return service == m_service;
    m_service = service;
    m_moduleName = ModuleBaseName();
    m_name = m_service + L"|" + kTopic;

    HANDLE lock = CreateMutexW(nullptr, /*bInitialOwner=*/0, kListenLock);
    const DWORD locked =
        lock != nullptr ? WaitForSingleObject(lock, kListenLockTimeoutMs) : WAIT_FAILED;
    const bool owned = locked == WAIT_OBJECT_0 || locked == WAIT_ABANDONED;
    const bool made = owned &&
                      FindWindowExW(nullptr, nullptr, kWindowClass, m_name.c_str()) == nullptr &&
                      MakeWindow();
    if (owned)
        ReleaseMutex(lock);
    if (lock != nullptr)
        CloseHandle(lock);
    return made;
}

bool DdeShellOpenServer::MakeWindow() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &DdeShellOpenServer::WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass); // fails harmlessly once registered
    // Never shown: a tool window, so that no task bar lists it if it were.
    m_window = CreateWindowExW(WS_EX_TOOLWINDOW, kWindowClass, m_name.c_str(), WS_OVERLAPPED, 0, 0,
                               0, 0, nullptr, nullptr, windowClass.hInstance, this);
    return m_window != nullptr;
}

LRESULT CALLBACK DdeShellOpenServer::WindowProc(::HWND hWnd, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<DdeShellOpenServer*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcW(hWnd, message, wParam, lParam);
    const auto client = reinterpret_cast<::HWND>(wParam);
    switch (message) {
    case WM_DDE_INITIATE:
        self->OnInitiate(client, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_DDE_EXECUTE:
        self->OnExecute(client, lParam);
        return 0;
    case WM_DDE_TERMINATE:
        self->OnTerminate(client);
        return 0;
    case WM_DDE_ADVISE:
    case WM_DDE_UNADVISE:
    case WM_DDE_REQUEST:
    case WM_DDE_POKE:
        self->Refuse(client, message, lParam);
        return 0;
    default:
        return DefWindowProcW(hWnd, message, wParam, lParam);
    }
}

std::wstring DdeShellOpenServer::ServiceFor(ATOM application, ATOM topic) const {
    if (topic != 0 && !SameName(AtomName(topic), kTopic))
        return {};
    if (application == 0)
        return m_service;
    const std::wstring asked = AtomName(application);
    if (SameName(asked, m_service))
        return m_service;
    if (!m_moduleName.empty() && SameName(asked, m_moduleName))
        return m_moduleName;
    return {};
}

// The answer is sent, with atoms of its own that the client deletes.
void DdeShellOpenServer::OnInitiate(::HWND client, ATOM application, ATOM topic) {
    const std::wstring service = ServiceFor(application, topic);
    if (service.empty() || client == m_window || IsWindow(client) == 0)
        return;
    const ATOM serviceAtom = GlobalAddAtomW(service.c_str());
    const ATOM topicAtom = GlobalAddAtomW(kTopic);
    if (serviceAtom != 0 && topicAtom != 0) {
        m_clients.insert(client);
        DWORD_PTR result = 0;
        if (SendMessageTimeoutW(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(m_window),
                                MAKELPARAM(serviceAtom, topicAtom), SMTO_ABORTIFHUNG,
                                kInitiateAckTimeoutMs, &result) != 0)
            return;
        // A client that took too long may still get them: they stay.
        if (GetLastError() == ERROR_TIMEOUT)
            return;
        m_clients.erase(client);
    }
    if (serviceAtom != 0)
        GlobalDeleteAtom(serviceAtom);
    if (topicAtom != 0)
        GlobalDeleteAtom(topicAtom);
}

// The ack goes out before anything opens: opening can show a message,
// which must not keep the requester waiting. A command whose ack cannot be
// delivered (its client has gone) opens nothing.
void DdeShellOpenServer::OnExecute(::HWND client, LPARAM lParam) {
    const auto memory = reinterpret_cast<HGLOBAL>(lParam);
    std::optional<std::vector<std::string>> paths;
    if (m_clients.count(client) != 0)
        paths = ReadCommand(client, memory);
    const LPARAM ack = ReuseDDElParam(lParam, WM_DDE_EXECUTE, WM_DDE_ACK, paths ? kAccepted : 0,
                                      reinterpret_cast<UINT_PTR>(memory));
    if (PostMessageW(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(m_window), ack) == 0) {
        FreeDDElParam(WM_DDE_ACK, ack);
        m_clients.erase(client);
        return;
    }
    if (paths && m_handler)
        for (const std::string& path : *paths)
            m_handler(path);
}

std::optional<std::vector<std::string>> DdeShellOpenServer::ReadCommand(::HWND client,
                                                                        HGLOBAL memory) const {
    const void* data = GlobalLock(memory);
    if (data == nullptr)
        return std::nullopt;
    const bool wide = IsWindowUnicode(client) != 0 && IsWindowUnicode(m_window) != 0;
    const std::optional<std::wstring> text = ReadDdeCommandText(data, GlobalSize(memory), wide);
    GlobalUnlock(memory);
    if (!text)
        return std::nullopt;
    return ParseDdeOpenCommand(*text);
}

void DdeShellOpenServer::OnTerminate(::HWND client) {
    // Only a conversation still open is answered: the answer to a
    // terminate of this server's own is the end.
    if (m_clients.erase(client) != 0)
        PostMessageW(client, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(m_window), 0);
}

// Advise, unadvise, request and poke have no meaning here: each is
// answered at once with a negative ack that gives its item atom back.
void DdeShellOpenServer::Refuse(::HWND client, UINT message, LPARAM lParam) {
    LPARAM ack = 0;
    UINT_PTR item = 0;
    if (message == WM_DDE_REQUEST || message == WM_DDE_UNADVISE) {
        item = HIWORD(lParam);
        ack = PackDDElParam(WM_DDE_ACK, 0, item);
    } else {
        UINT_PTR data = 0;
        UnpackDDElParam(message, lParam, &data, &item);
        ack = ReuseDDElParam(lParam, message, WM_DDE_ACK, 0, item);
    }
    if (PostMessageW(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(m_window), ack) == 0) {
        FreeDDElParam(WM_DDE_ACK, ack);
        GlobalDeleteAtom(static_cast<ATOM>(item));
    }
}

} // namespace

// The handler is called from the event loop, after the ack went out; it
// must not destroy the server.
std::unique_ptr<CShellOpenServer> AfxCreateShellOpenServer(CShellOpenServer::Handler handler) {
    return std::make_unique<DdeShellOpenServer>(std::move(handler));
}

} // namespace curvix
