// curvix-window-probe.exe: what a running curvix.exe shows, for the
// screenshot checks under Wine.
//   wait-title TEXT MS   until a shown frame's caption holds TEXT; prints it
//   wait-dialog TITLE MS until a shown dialog has this caption
//   view                 the view's client area on the screen: X Y WIDTH HEIGHT
//   status               the status bar's panes as screen readers get them:
//                        NAME=TEXT, a line each
// Positions and sizes are device pixels, at any display scale.
// Waits poll every 50 ms for at most MS milliseconds. Status 0 when found,
// 1 when not.

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>
// clang-format on

namespace {

std::wstring TextOf(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (const wchar_t c : text)
        narrow += c < 0x80 ? static_cast<char>(c) : '?';
    return narrow;
}

std::wstring Wide(const char* text) {
    std::wstring wide;
    for (; *text != '\0'; ++text)
        wide += static_cast<wchar_t>(static_cast<unsigned char>(*text));
    return wide;
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

std::string Narrow(BSTR text) {
    std::string narrow = text != nullptr ? Narrow(std::wstring(text)) : "";
    SysFreeString(text);
    return narrow;
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
        const std::string nameText = Narrow(name);
        std::printf("%s=%s\n", nameText.c_str(), Narrow(value).c_str());
    }
    object->Release();
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    BeDpiAware();
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "wait-title" && argc == 4) {
        const std::wstring text = Wide(argv[2]);
        HWND frame =
            WaitFor([&] { return ShownWindow(L"CurvixFrame", text, false); }, std::atoi(argv[3]));
        if (frame == nullptr)
            return 1;
        std::printf("%s\n", Narrow(TextOf(frame)).c_str());
        return 0;
    }
    if (command == "wait-dialog" && argc == 4) {
        const std::wstring title = Wide(argv[2]);
        return WaitFor([&] { return ShownWindow(L"#32770", title, true); }, std::atoi(argv[3])) ? 0
                                                                                                : 1;
    }
    if (command == "view" && argc == 2) {
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
    if (command == "status" && argc == 2)
        return PrintPanes();
    std::fprintf(stderr, "usage: %s wait-title TEXT MS | wait-dialog TITLE MS | view | status\n",
                 argv[0]);
    return 2;
}
