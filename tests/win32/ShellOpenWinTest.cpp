// The shell's DDE conversations with the open-request server, through a
// client window of the test's own that speaks the raw messages as the
// shell does: which names it answers and with what, executes acked and
// their paths handed over from the loop, conversations ended from either
// side, and one server per program.

#include "PumpMessages.h"
#include "ShellOpen.h"
#include "Win32Api.h"

#include <cstring>
#include <dde.h>
#include <gtest/gtest.h>
#include <optional>

namespace curvix {
namespace {

using test::PumpUntil;

std::wstring AtomName(ATOM atom) {
    wchar_t name[256] = {};
    return std::wstring(name, GlobalGetAtomNameW(atom, name, 256));
}

struct Ack {
    WORD status;
    UINT_PTR value; // the execute's memory, or the item atom
};

// A DDE client window, Unicode or ANSI, recording what servers send it.
class CDdeClient {
public:
    explicit CDdeClient(bool wide) {
        if (wide) {
            WNDCLASSEXW windowClass{};
            windowClass.cbSize = sizeof windowClass;
            windowClass.lpfnWndProc = &CDdeClient::WindowProc;
            windowClass.lpszClassName = L"CurvixTestDdeClientW";
            RegisterClassExW(&windowClass); // fails harmlessly once registered
            m_window = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0,
                                       HWND_MESSAGE, nullptr, nullptr, nullptr);
        } else {
            WNDCLASSEXA windowClass{};
            windowClass.cbSize = sizeof windowClass;
            windowClass.lpfnWndProc = &CDdeClient::WindowProc;
            windowClass.lpszClassName = "CurvixTestDdeClientA";
            RegisterClassExA(&windowClass);
            m_window = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0,
                                       HWND_MESSAGE, nullptr, nullptr, nullptr);
        }
        SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~CDdeClient() { DestroyWindow(m_window); }
    CDdeClient(const CDdeClient&) = delete;
    CDdeClient& operator=(const CDdeClient&) = delete;

    // Asks every window for application and topic (null for any); the
    // names server answered with, "service|topic", or empty.
    std::wstring Initiate(::HWND server, const wchar_t* application, const wchar_t* topic) {
        const ATOM applicationAtom = application != nullptr ? GlobalAddAtomW(application) : 0;
        const ATOM topicAtom = topic != nullptr ? GlobalAddAtomW(topic) : 0;
        m_answers.clear();
        m_bInitiating = true;
        SendMessageTimeoutW(HWND_BROADCAST, WM_DDE_INITIATE, reinterpret_cast<WPARAM>(m_window),
                            MAKELPARAM(applicationAtom, topicAtom), SMTO_ABORTIFHUNG, 5000,
                            nullptr);
        m_bInitiating = false;
        for (const ATOM atom : {applicationAtom, topicAtom})
            if (atom != 0)
                GlobalDeleteAtom(atom);
        for (const auto& [from, names] : m_answers)
            if (from == server)
                return names;
        return {};
    }

    // Posts message with lParam; the ack it gets.
    std::optional<Ack> Post(::HWND server, UINT message, LPARAM lParam) {
        m_ack.reset();
        if (PostMessageW(server, message, reinterpret_cast<WPARAM>(m_window), lParam) == 0 ||
            !PumpUntil([&] { return m_ack.has_value(); }))
            return std::nullopt;
        return m_ack;
    }
    // The command in memory as a Unicode or ANSI client gives it.
    std::optional<Ack> Execute(::HWND server, const std::wstring& command) {
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, (command.size() + 1) * 2);
        auto* data = static_cast<char*>(GlobalLock(memory));
        if (IsWindowUnicode(m_window))
            std::copy(command.c_str(), command.c_str() + command.size() + 1,
                      reinterpret_cast<wchar_t*>(data));
        else
            WideCharToMultiByte(CP_ACP, 0, command.c_str(), -1, data,
                                static_cast<int>(command.size() + 1) * 2, nullptr, nullptr);
        GlobalUnlock(memory);
        const auto ack = Post(server, WM_DDE_EXECUTE, reinterpret_cast<LPARAM>(memory));
        EXPECT_TRUE(ack.has_value() && ack->value == reinterpret_cast<UINT_PTR>(memory))
            << "the execute's memory is not given back";
        GlobalFree(memory);
        return ack;
    }

    ::HWND Window() const { return m_window; }
    bool Terminated() const { return m_bTerminated; }

private:
    static LRESULT CALLBACK WindowProc(::HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<CDdeClient*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
        if (self != nullptr && message == WM_DDE_ACK && self->m_bInitiating) {
            // The atoms of an answer to the initiate are the client's.
            self->m_answers.emplace_back(reinterpret_cast<::HWND>(wParam),
                                         AtomName(LOWORD(lParam)) + L"|" +
                                             AtomName(HIWORD(lParam)));
            GlobalDeleteAtom(LOWORD(lParam));
            GlobalDeleteAtom(HIWORD(lParam));
            return 0;
        }
        if (self != nullptr && message == WM_DDE_ACK) {
            UINT_PTR status = 0;
            UINT_PTR value = 0;
            UnpackDDElParam(WM_DDE_ACK, lParam, &status, &value);
            FreeDDElParam(WM_DDE_ACK, lParam);
            self->m_ack = Ack{static_cast<WORD>(status), value};
            return 0;
        }
        if (self != nullptr && message == WM_DDE_TERMINATE) {
            self->m_bTerminated = true;
            return 0;
        }
        return IsWindowUnicode(hWnd) ? DefWindowProcW(hWnd, message, wParam, lParam)
                                     : DefWindowProcA(hWnd, message, wParam, lParam);
    }

    ::HWND m_window = nullptr;
    bool m_bInitiating = false;
    std::vector<std::pair<::HWND, std::wstring>> m_answers;
    std::optional<Ack> m_ack;
    bool m_bTerminated = false;
};

// Atoms keep the spelling they were first added with: the answer's names
// are the asker's when it still holds them.
std::wstring Lower(std::wstring text) {
    CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::wstring ModuleBaseName() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name = path;
    name = name.substr(name.find_last_of(L'\\') + 1);
    return name.substr(0, name.find_last_of(L'.'));
}

class ShellOpenWinTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_pServer->Listen("curvix"));
        EXPECT_EQ(m_pServer->GetListeningName(), "curvix|system");
        // Broadcasts reach top-level windows alone; this one is never shown.
        m_server = FindWindowExW(nullptr, nullptr, L"CurvixShellOpen", L"curvix|system");
        ASSERT_NE(m_server, nullptr);
        EXPECT_FALSE(IsWindowVisible(m_server));
    }

    std::vector<std::string> m_requests;
    // Whether a path came while its ack had not yet been posted.
    bool m_bOpenedBeforeTheAck = false;
    std::unique_ptr<CShellOpenServer> m_pServer =
        AfxCreateShellOpenServer([this](const std::string& path) {
            MSG ack{};
            if (PeekMessageW(&ack, nullptr, WM_DDE_ACK, WM_DDE_ACK, PM_NOREMOVE) == 0)
                m_bOpenedBeforeTheAck = true;
            m_requests.push_back(path);
        });
    ::HWND m_server = nullptr;
};

TEST_F(ShellOpenWinTest, AnswersTheProgramAndTheSystemTopic) {
    const std::wstring module = ModuleBaseName();
    const struct {
        const wchar_t* application;
        const wchar_t* topic;
        std::wstring answer;
    } cases[] = {
        {L"curvix", L"system", L"curvix|system"},
        {L"CurVix", L"SYSTEM", L"curvix|system"},
        {nullptr, L"System", L"curvix|system"},
        {L"curvix", nullptr, L"curvix|system"},
        {nullptr, nullptr, L"curvix|system"},
        {module.c_str(), L"system", Lower(module) + L"|system"},
        {L"curvix2", L"system", L""},
        {L"curvi", L"system", L""},
        {L"other", L"system", L""},
        {L"curvix", L"systems", L""},
        {L"curvix", L"other", L""},
    };
    for (const auto& asked : cases) {
        CDdeClient client(true);
        EXPECT_EQ(Lower(client.Initiate(m_server, asked.application, asked.topic)), asked.answer)
            << (asked.application != nullptr ? asked.application : L"(any)") << "|"
            << (asked.topic != nullptr ? asked.topic : L"(any)");
    }
}

TEST_F(ShellOpenWinTest, AcksExecutesThenOpensTheirPathsFromTheLoop) {
    constexpr WORD refused = 0;
    constexpr WORD accepted = 0x8000;
    const struct {
        bool wide;
        std::wstring command;
        WORD status;
        std::vector<std::string> paths;
    } cases[] = {
        {true,
         L"[open(\"C:\\dir with space\\Kurve-\u66f2\u7ebf.cvx\")]",
         accepted,
         {"C:\\dir with space\\Kurve-\xe6\x9b\xb2\xe7\xba\xbf.cvx"}},
        {true,
         L"[open(\"C:\\a.cvx\")] [OPEN(\"C:\\b.cvx\")]",
         accepted,
         {"C:\\a.cvx", "C:\\b.cvx"}},
        {false, L"[open(\"C:\\dir with space\\a.cvx\")]", accepted, {"C:\\dir with space\\a.cvx"}},
        {true, L"[open(\"C:\\a.cvx\")", refused, {}},
        {true, L"[open(\"C:\\a.cvx\")][print(\"C:\\b.cvx\")]", refused, {}},
        {false, L"[open(C:\\a.cvx)]", refused, {}},
    };
    for (const auto& execute : cases) {
        SCOPED_TRACE(testing::PrintToString(execute.command));
        m_requests.clear();
        CDdeClient client(execute.wide);
        ASSERT_EQ(client.Initiate(m_server, L"curvix", L"system"), L"curvix|system");
        const auto ack = client.Execute(m_server, execute.command);
        ASSERT_TRUE(ack.has_value());
        EXPECT_EQ(ack->status, execute.status);
        EXPECT_EQ(m_requests, execute.paths);
        EXPECT_FALSE(m_bOpenedBeforeTheAck);
        // The server answers the client's terminate with its own.
        PostMessageW(m_server, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(client.Window()), 0);
        EXPECT_TRUE(PumpUntil([&] { return client.Terminated(); }));
    }
}

TEST_F(ShellOpenWinTest, RefusesWhatComesOutsideAConversation) {
    CDdeClient client(true);
    const auto ack = client.Execute(m_server, L"[open(\"C:\\a.cvx\")]");
    ASSERT_TRUE(ack.has_value());
    EXPECT_EQ(ack->status, 0);
    EXPECT_TRUE(m_requests.empty());
}

TEST_F(ShellOpenWinTest, RefusesRequestsAndGivesTheItemBack) {
    CDdeClient client(true);
    ASSERT_EQ(client.Initiate(m_server, L"curvix", L"system"), L"curvix|system");
    const ATOM item = GlobalAddAtomW(L"Topics");
    const auto ack = client.Post(m_server, WM_DDE_REQUEST, MAKELPARAM(CF_UNICODETEXT, item));
    ASSERT_TRUE(ack.has_value());
    EXPECT_EQ(ack->status, 0);
    EXPECT_EQ(ack->value, item);
    GlobalDeleteAtom(item);
}

TEST_F(ShellOpenWinTest, AClientGoneBeforeItsAckOpensNothing) {
    test::CPostedCalls calls;
    bool executed = false;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, 64);
    {
        // A window gone is no Unicode window: the command is read as ANSI
        // text, and would be taken but for the ack that cannot go.
        CDdeClient client(false);
        ASSERT_EQ(client.Initiate(m_server, L"curvix", L"system"), L"curvix|system");
        std::strcpy(static_cast<char*>(GlobalLock(memory)), "[open(\"C:\\a.cvx\")]");
        GlobalUnlock(memory);
        PostMessageW(m_server, WM_DDE_EXECUTE, reinterpret_cast<WPARAM>(client.Window()),
                     reinterpret_cast<LPARAM>(memory));
        // Runs after the execute.
        calls.Post([&] { executed = true; });
    }
    ASSERT_TRUE(PumpUntil([&] { return executed; }));
    GlobalFree(memory);
    EXPECT_TRUE(m_requests.empty());
    CDdeClient next(true);
    EXPECT_EQ(next.Initiate(m_server, L"curvix", L"system"), L"curvix|system");
}

TEST_F(ShellOpenWinTest, EndsItsConversationsWhenItGoes) {
    CDdeClient client(true);
    ASSERT_EQ(client.Initiate(m_server, L"curvix", L"system"), L"curvix|system");
    m_pServer.reset();
    EXPECT_TRUE(PumpUntil([&] { return client.Terminated(); }));
    EXPECT_EQ(FindWindowExW(nullptr, nullptr, L"CurvixShellOpen", L"curvix|system"), nullptr);
}

TEST_F(ShellOpenWinTest, OneServerListensForAProgram) {
    const auto second = AfxCreateShellOpenServer([](const std::string&) {});
    EXPECT_FALSE(second->Listen("curvix"));
    EXPECT_FALSE(second->Listen("Curvix"));
    EXPECT_EQ(second->GetListeningName(), "");
    EXPECT_FALSE(AfxCreateShellOpenServer([](const std::string&) {})->Listen(""));
    // Listening again for its own program is listening already.
    EXPECT_TRUE(m_pServer->Listen("curvix"));
    EXPECT_FALSE(m_pServer->Listen("other"));
    // Once the first has gone, the program is free.
    m_pServer.reset();
    EXPECT_TRUE(second->Listen("curvix"));
    EXPECT_EQ(second->GetListeningName(), "curvix|system");
}

} // namespace
} // namespace curvix
