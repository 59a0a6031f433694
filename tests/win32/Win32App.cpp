#include "Win32App.h"

#include "CurvixResources.h"
#include "DpiWin.h"
#include "EventLoop.h"
#include "FrameWndWin.h"
#include "WinSystem.h"
#include "WndWin.h"

namespace curvix::test {

namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\Quenmark\\Curvix";

struct ModalWatch {
    std::function<bool(::HWND)> answer;
    int ticks = 0;
};

ModalWatch& Watch() {
    static ModalWatch watch;
    return watch;
}

BOOL CALLBACK OfferDialog(::HWND window, LPARAM found) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (std::wstring(name) == L"#32770" && IsWindowVisible(window)) {
        *reinterpret_cast<::HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// Runs for the whole test program: a dialog that nobody answers is
// cancelled after ten seconds.
void CALLBACK ModalTimer(::HWND, UINT, UINT_PTR, DWORD) {
    ModalWatch& watch = Watch();
    ::HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), OfferDialog, reinterpret_cast<LPARAM>(&dialog));
    if (dialog == nullptr) {
        watch.ticks = 0;
        return;
    }
    if (watch.answer && watch.answer(dialog)) {
        watch.answer = nullptr;
        watch.ticks = 0;
        return;
    }
    if (++watch.ticks > 200) {
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        watch.ticks = 0;
    }
}

} // namespace

RunningApp::RunningApp(std::vector<std::string> arguments) {
    AfxEnableDpiAwareness();
    AfxSetResourceTable(&GetCurvixResources());
    app = std::make_unique<CCurvixApp>();
    app->SetCommandLine(std::move(arguments));
    started = app->InitInstance() != 0;
    Settle();
}

RunningApp::~RunningApp() {
    if (app != nullptr)
        app->ExitInstance();
    app.reset();
    Settle();
}

CMainFrame* RunningApp::Frame() const {
    return dynamic_cast<CMainFrame*>(app->m_pMainWnd);
}

CCurvixView* RunningApp::View() const {
    return Frame() != nullptr ? dynamic_cast<CCurvixView*>(Frame()->GetActiveView()) : nullptr;
}

CCurvixDoc* RunningApp::Doc() const {
    return View() != nullptr ? View()->GetDocument() : nullptr;
}

::HWND RunningApp::FrameWindow() const {
    return AfxWin32Hwnd(Frame());
}

::HWND RunningApp::ViewWindow() const {
    return AfxWin32Hwnd(View());
}

::HWND RunningApp::Bar(const wchar_t* caption) const {
    return FindWindowExW(FrameWindow(), nullptr, L"CurvixControlBar", caption);
}

::HWND RunningApp::StatusBar() const {
    return GetDlgItem(FrameWindow(), static_cast<int>(AFX_IDW_STATUS_BAR));
}

::HWND RunningApp::ToolBarControl(const wchar_t* caption) const {
    return FindWindowExW(Bar(caption), nullptr, TOOLBARCLASSNAMEW, nullptr);
}

::HWND RunningApp::FormulaItem(int nID) const {
    ::HWND page = FindWindowExW(Bar(L"Function"), nullptr, L"#32770", nullptr);
    return GetDlgItem(page, nID);
}

std::string RunningApp::Pane(int nIndex) const {
    auto* bar = dynamic_cast<CStatusBar*>(Frame()->GetControlBar(AFX_IDW_STATUS_BAR));
    return bar != nullptr ? bar->GetPaneText(nIndex) : std::string();
}

std::string RunningApp::Caption() const {
    return WindowText(FrameWindow());
}

void RunningApp::Command(UINT nID) const {
    SendMessageW(FrameWindow(), WM_COMMAND, nID, 0);
    Settle();
}

void RunningApp::Settle() const {
    MSG message;
    for (int round = 0; round < 3; ++round) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) // the program ended
                continue;
            if (!AfxPreTranslateMessage(message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        AfxIdleUpdateFrames();
    }
}

RECT PlaceInParent(::HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void WhenModal(std::function<bool(::HWND)> answer) {
    static const UINT_PTR timer = SetTimer(nullptr, 0, 50, ModalTimer);
    (void)timer;
    Watch() = {std::move(answer), 0};
}

void AnswerFileDialog(const std::string& path) {
    WhenModal([path](::HWND dialog) {
        // The name field of the common dialogs (cmb13, or edt1 in the old
        // style).
        const std::wstring name = WideFromUtf8(path);
        if (!SetDlgItemTextW(dialog, 0x47C, name.c_str()) &&
            !SetDlgItemTextW(dialog, 0x480, name.c_str()))
            return false;
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        return true;
    });
}

std::string WindowText(::HWND window) {
    return AfxGetWindowText(window);
}

std::string DialogMessage(::HWND dialog) {
    for (::HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16] = {};
        GetClassNameW(child, name, 16);
        const std::string text = WindowText(child);
        // An icon's text is its resource ID.
        const bool icon = (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
        if (std::wstring(name) == L"Static" && !icon && !text.empty())
            return text;
    }
    return {};
}

void ForgetSettings() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
}

} // namespace curvix::test
