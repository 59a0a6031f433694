// curvix-window-probe.exe: what a running curvix.exe shows, for the
// screenshot checks under Wine.
//   wait-title TEXT MS   until a shown frame's caption holds TEXT; prints it
//   wait-dialog TITLE MS until a shown dialog has this caption; prints its
//                        first text that is not empty (a message box's message)
//   view                 the view's client area on the screen: X Y WIDTH HEIGHT
//   close TITLE          asks the shown frame with this caption to close
//   status               the status bar's panes as screen readers get them:
//                        NAME=TEXT, a line each
// Positions and sizes are device pixels, at any display scale.
// Waits poll every 50 ms for at most MS milliseconds. Status 0 when found,
// 1 when not.
//   wait-dde SERVICE TOPIC MS            until a DDE server answers; 0, or 2
//   dde-execute SERVICE TOPIC COMMAND [MS]
//                        a DDE execute (through DDEML), waiting at most MS
//                        (default 5000) for its ack: 0 when accepted, 1 when
//                        refused, 2 when no server answers
// Status 3 for a command line none of these. The arguments are read from
// the wide command line, so that text outside the ANSI code page arrives
// whole; a caption is printed in UTF-8.

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <ddeml.h>
#include <oleacc.h>
#include <shellapi.h>
// clang-format on

namespace {

std::wstring TextOf(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

std::string Utf8(const std::wstring& text) {
    std::string utf8(text.size() * 3, '\0');
    utf8.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(),
                            static_cast<int>(utf8.size()), nullptr, nullptr)));
    return utf8;
}

HWND ShownWindow(const wchar_t* className, const std::wstring& text, bool whole) {
    for (HWND window = FindWindowExW(nullptr, nullptr, className, nullptr); window != nullptr;
         window = FindWindowExW(nullptr, window, className, nullptr)) {
        const std::wstring caption = TextOf(window);
        if (IsWindowVisible(window) &&
            (whole ? caption == text : caption.find(text) != std::wstring::npos))
            return window;
    }
    return nullptr;
}

template <typename Find> HWND WaitFor(Find find, int milliseconds) {
    for (int waited = 0;; waited += 50) {
        if (HWND window = find())
            return window;
        if (waited >= milliseconds)
            return nullptr;
        Sleep(50);
    }
}

std::vector<std::wstring> WideArguments() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> wide(arguments, arguments + (arguments != nullptr ? count : 0));
    LocalFree(arguments);
    return wide;
}

HDDEDATA CALLBACK IgnoreDdeEvent(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    return nullptr;
}

constexpr int kDdeRefused = 1;
constexpr int kDdeNoServer = 2;

// One DDEML client conversation with SERVICE about TOPIC; run() gets the
// instance and conversation and gives the status.
template <typename Run>
int InDdeConversation(const std::wstring& service, const std::wstring& topic, Run run) {
    DWORD instance = 0;
    if (DdeInitializeW(&instance, &IgnoreDdeEvent, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR)
        return kDdeNoServer;
    HSZ serviceName = DdeCreateStringHandleW(instance, service.c_str(), CP_WINUNICODE);
    HSZ topicName = DdeCreateStringHandleW(instance, topic.c_str(), CP_WINUNICODE);
    HCONV conversation = DdeConnect(instance, serviceName, topicName, nullptr);
    const int status = conversation != nullptr ? run(instance, conversation) : kDdeNoServer;
    if (conversation != nullptr)
        DdeDisconnect(conversation);
    DdeFreeStringHandle(instance, serviceName);
    DdeFreeStringHandle(instance, topicName);
    DdeUninitialize(instance);
    return status;
}

int DdeExecute(const std::wstring& service, const std::wstring& topic, const std::wstring& command,
               DWORD milliseconds) {
    const int status = InDdeConversation(service, topic, [&](DWORD instance, HCONV conversation) {
        std::wstring text = command;
        DWORD result = 0;
        if (DdeClientTransaction(reinterpret_cast<LPBYTE>(text.data()),
                                 static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)),
                                 conversation, nullptr, 0, XTYP_EXECUTE, milliseconds,
                                 &result) != nullptr)
            return 0;
        const UINT error = DdeGetLastError(instance);
        if (error == DMLERR_NOTPROCESSED)
            return kDdeRefused;
        std::fprintf(stderr, "the execute got no ack (DDEML error 0x%x)\n", error);
        return kDdeNoServer;
    });
    if (status == kDdeNoServer)
        std::fprintf(stderr, "no DDE server answers the execute\n");
    return status;
}

int WaitForDdeServer(const std::wstring& service, const std::wstring& topic, int milliseconds) {
    for (int waited = 0;; waited += 50) {
        if (InDdeConversation(service, topic, [](DWORD, HCONV) { return 0; }) == 0)
            return 0;
        if (waited >= milliseconds)
            return kDdeNoServer;
        Sleep(50);
    }
}

// Device pixels: aware of the display's scale, by the newest means the
// system has.
void BeDpiAware() {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    using SetContextFn = BOOL(WINAPI*)(DPI_AWARENESS_CONTEXT);
    using SetAwareFn = BOOL(WINAPI*)();
    const auto setContext = reinterpret_cast<SetContextFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
    if (setContext != nullptr && setContext(reinterpret_cast<DPI_AWARENESS_CONTEXT>(-3)))
        return;
    const auto setAware = reinterpret_cast<SetAwareFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDPIAware")));
    if (setAware != nullptr)
        setAware();
}

std::string Utf8(BSTR text) {
    std::string utf8 = text != nullptr ? Utf8(std::wstring(text)) : "";
    SysFreeString(text);
    return utf8;
}

int PrintPanes() {
    HWND frame = ShownWindow(L"CurvixFrame", L"", false);
    HWND bar = frame != nullptr ? GetDlgItem(frame, 0xE801) : nullptr;
    HWND status = bar != nullptr ? FindWindowExW(bar, nullptr, STATUSCLASSNAMEW, nullptr) : nullptr;
    IAccessible* object = nullptr;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (status == nullptr || FAILED(AccessibleObjectFromWindow(
                                 status, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                 reinterpret_cast<void**>(&object))))
        return 1;
    LONG count = 0;
    object->get_accChildCount(&count);
    for (LONG i = 1; i <= count; ++i) {
        VARIANT child;
        VariantInit(&child);
        child.vt = VT_I4;
        child.lVal = i;
        BSTR name = nullptr;
        BSTR value = nullptr;
        object->get_accName(child, &name);
        object->get_accValue(child, &value);
        const std::string nameText = Utf8(name);
        std::printf("%s=%s\n", nameText.c_str(), Utf8(value).c_str());
    }
    object->Release();
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    BeDpiAware();
    const std::string command = argc > 1 ? argv[1] : "";
    const std::vector<std::wstring> wide = WideArguments();
    if (command == "wait-title" && wide.size() == 4) {
        const std::wstring& text = wide[2];
        HWND frame =
            WaitFor([&] { return ShownWindow(L"CurvixFrame", text, false); }, std::atoi(argv[3]));
        if (frame == nullptr)
            return 1;
        std::printf("%s\n", Utf8(TextOf(frame)).c_str());
        return 0;
    }
    if (command == "wait-dialog" && wide.size() == 4) {
        const std::wstring& title = wide[2];
        HWND dialog =
            WaitFor([&] { return ShownWindow(L"#32770", title, true); }, std::atoi(argv[3]));
        if (dialog == nullptr)
            return 1;
        for (HWND text = FindWindowExW(dialog, nullptr, L"Static", nullptr); text != nullptr;
             text = FindWindowExW(dialog, text, L"Static", nullptr))
            if (!TextOf(text).empty()) {
                std::printf("%s\n", Utf8(TextOf(text)).c_str());
                break;
            }
        return 0;
    }
    if (command == "view" && wide.size() == 2) {
        HWND frame = ShownWindow(L"CurvixFrame", L"", false);
        HWND view =
            frame != nullptr ? FindWindowExW(frame, nullptr, L"CurvixView", nullptr) : nullptr;
        RECT client{};
        if (view == nullptr || !GetClientRect(view, &client))
            return 1;
        POINT origin{0, 0};
        ClientToScreen(view, &origin);
        std::printf("%ld %ld %ld %ld\n", origin.x, origin.y, client.right, client.bottom);
        return 0;
    }
    if (command == "close" && wide.size() == 3) {
        HWND frame = ShownWindow(L"CurvixFrame", wide[2], true);
        return frame != nullptr && PostMessageW(frame, WM_CLOSE, 0, 0) != 0 ? 0 : 1;
    }
    if (command == "status" && wide.size() == 2)
        return PrintPanes();
    if (command == "wait-dde" && wide.size() == 5)
        return WaitForDdeServer(wide[2], wide[3],
                                static_cast<int>(std::wcstol(wide[4].c_str(), nullptr, 10)));
    if (command == "dde-execute" && (wide.size() == 5 || wide.size() == 6))
        return DdeExecute(wide[2], wide[3], wide[4],
                          wide.size() == 6 ? std::wcstoul(wide[5].c_str(), nullptr, 10) : 5000);
    std::fprintf(
        stderr,
        "usage: %s wait-title TEXT MS | wait-dialog TITLE MS | view | close TITLE | status |\n"
        "       wait-dde SERVICE TOPIC MS | dde-execute SERVICE TOPIC COMMAND [MS]\n",
        argv[0]);
    return 3;
}
