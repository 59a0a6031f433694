#include "FloatingBarWin.h"

#include "BarWindowWin.h"
#include "DockDragWin.h"
#include "WinSystem.h"
#include "WndWin.h"

#include <algorithm>
#include <string>

namespace curvix {

namespace {

constexpr wchar_t kClassName[] = L"CurvixFloatingBar";
// Around the caption's text.
constexpr int kCaptionPadding = 8;

DWORD StyleFor(bool closable) {
    return WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN | (closable ? WS_SYSMENU : 0);
}

constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;

bool IsClosable(::HWND floating) {
    return (GetWindowLongW(floating, GWL_STYLE) & WS_SYSMENU) != 0;
}

// The bar window inside, and the bar it is.
::HWND BarWindowOf(::HWND floating) {
    return GetWindow(floating, GW_CHILD);
}

CControlBar* BarOf(::HWND floating) {
    const BarWindowWin* state = AfxBarWindowState(BarWindowOf(floating));
    return state != nullptr ? state->dragged : nullptr;
}

// The frame's borders and the caption's buttons, across.
int CaptionOverhead(bool closable) {
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, StyleFor(closable), 0, kExStyle);
    return (frame.right - frame.left) + (closable ? GetSystemMetrics(SM_CXSMSIZE) : 0) +
           kCaptionPadding;
}

void Close(::HWND floating) {
    CControlBar* bar = BarOf(floating);
    if (bar == nullptr) {
        DestroyWindow(floating);
        return;
    }
    // A bar that nothing could show again is not hidden.
    CBarSite* site = bar->GetBarSite();
    if (IsClosable(floating) && site != nullptr && site->HasBarToggle(bar))
        bar->ShowWindow(SW_HIDE);
    else
        bar->DockAt(AfxFloatingDockBack(floating));
}

LRESULT CALLBACK FloatingWindowProc(::HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCLBUTTONDOWN:
        // The caption drags the bar as the gripper does: it may dock.
        if (wParam == HTCAPTION) {
            if (CControlBar* bar = BarOf(hWnd))
                AfxBeginBarDrag(bar, AfxPointOf(lParam));
            return 0;
        }
        break;
    case WM_NCLBUTTONDBLCLK:
        if (wParam == HTCAPTION) {
            if (CControlBar* bar = BarOf(hWnd))
                bar->DockAt(AfxFloatingDockBack(hWnd));
            return 0;
        }
        break;
    case WM_MOUSEACTIVATE:
        // The frame keeps the keyboard (the formula field, say).
        return MA_NOACTIVATE;
    case WM_CLOSE:
        Close(hWnd);
        return 0;
    case WM_SIZE:
        if (::HWND bar = BarWindowOf(hWnd))
            MoveWindow(bar, 0, 0, LOWORD(lParam), HIWORD(lParam), 1);
        return 0;
    case WM_CURVIX_RECALCLAYOUT:
        // The bar was shown, hidden or changed its size.
        AfxFitFloatingWindow(hWnd);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

bool RegisterFloatingClass() {
    static const bool registered = AfxRegisterClass(kClassName, FloatingWindowProc, CS_DBLCLKS,
                                                    GetSysColorBrush(COLOR_BTNFACE));
    return registered;
}

} // namespace

int AfxSmallCaptionTextWidth(const std::wstring& caption) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return 0;
    HFONT font = CreateFontIndirectW(&metrics.lfSmCaptionFont);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return extent.cx;
}

SIZE AfxFloatingWindowSize(SIZE client, const std::wstring& caption, bool closable) {
    RECT rect{0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&rect, StyleFor(closable), 0, kExStyle);
    const int width = std::max<int>(rect.right - rect.left,
                                    AfxSmallCaptionTextWidth(caption) + CaptionOverhead(closable));
    return {width, rect.bottom - rect.top};
}

int AfxFloatingCaptionRoom(::HWND floating) {
    RECT rect{};
    if (floating == nullptr || !GetWindowRect(floating, &rect))
        return 0;
    return std::max<int>(0, (rect.right - rect.left) - CaptionOverhead(IsClosable(floating)));
}

::HWND AfxCreateFloatingWindow(::HWND frame, ::HWND bar, DWORD dockBack, bool closable,
                               POINT topLeft) {
    if (frame == nullptr || bar == nullptr || !RegisterFloatingClass())
        return nullptr;
    const std::wstring title = WideFromUtf8(AfxGetWindowText(bar));
    ::HWND floating =
        CreateWindowExW(kExStyle, kClassName, title.c_str(), StyleFor(closable), topLeft.x,
                        topLeft.y, 0, 0, frame, nullptr, AfxGetInstanceHandle(), nullptr);
    if (floating == nullptr)
        return nullptr;
    SetWindowLongPtrW(floating, GWLP_USERDATA, static_cast<LONG_PTR>(dockBack));
    if (!closable) {
        // No close item either, for the window system's keys.
        if (HMENU menu = GetSystemMenu(floating, 0))
            DeleteMenu(menu, SC_CLOSE, MF_BYCOMMAND);
    }
    SetParent(bar, floating);
    return floating;
}

::HWND AfxFloatingWindowOf(::HWND bar) {
    ::HWND parent = bar != nullptr ? GetParent(bar) : nullptr;
    wchar_t name[32] = {};
    if (parent == nullptr || GetClassNameW(parent, name, 32) == 0 ||
        std::wstring(name) != kClassName)
        return nullptr;
    return parent;
}

DWORD AfxFloatingDockBack(::HWND floating) {
    return static_cast<DWORD>(GetWindowLongPtrW(floating, GWLP_USERDATA));
}

void AfxFitFloatingWindow(::HWND floating) {
    ::HWND barWindow = BarWindowOf(floating);
    const CControlBar* bar = BarOf(floating);
    if (barWindow == nullptr || bar == nullptr) {
        ShowWindow(floating, SW_HIDE);
        return;
    }
    const CSize whole = bar->GetWholeSize();
    const SIZE size = AfxFloatingWindowSize(
        {whole.cx, whole.cy}, WideFromUtf8(AfxGetWindowText(floating)), IsClosable(floating));
    SetWindowPos(floating, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const bool shown = (GetWindowLongW(barWindow, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown != (IsWindowVisible(floating) != 0))
        ShowWindow(floating, shown ? SW_SHOWNA : SW_HIDE);
}

} // namespace curvix
