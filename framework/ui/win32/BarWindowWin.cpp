#include "BarWindowWin.h"

#include "DockDragWin.h"
#include "FloatingBarWin.h"
#include "WndWin.h"

#include <string>

namespace curvix {

namespace {

constexpr wchar_t kClassName[] = L"CurvixControlBar";

BarWindowWin* StateOf(::HWND hWnd) {
    return reinterpret_cast<BarWindowWin*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
}

bool RegisterBarClass();

// Two etched lines along the bar's short side.
void PaintGripper(::HWND hWnd, Gripper gripper) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hWnd, &paint);
    RECT client;
    ::GetClientRect(hWnd, &client);
    for (int line = 0; line < 2 && gripper != Gripper::None; ++line) {
        const int at = 2 + line * 3;
        RECT edge = gripper == Gripper::Left ? RECT{at, client.top + 2, at + 3, client.bottom - 2}
                                             : RECT{client.left + 2, at, client.right - 2, at + 3};
        DrawEdge(dc, &edge, BDR_RAISEDINNER, BF_RECT);
    }
    EndPaint(hWnd, &paint);
}

LRESULT CALLBACK BarWindowProc(::HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = static_cast<BarWindowWin*>(AfxWindowObject(hWnd, message, lParam));
    // While the bar is dragged its window has the mouse.
    if (AfxBarDragMessage(hWnd, message, wParam, lParam))
        return 0;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The gripper and the borders around the buttons: the bar's own
        // window, which the toolbar control does not cover.
        if (state != nullptr && state->dragged != nullptr) {
            POINT pointer = AfxPointOf(lParam);
            ClientToScreen(hWnd, &pointer);
            if (message == WM_LBUTTONDOWN)
                AfxBeginBarDrag(state->dragged, pointer);
            else
                AfxToggleFloating(state->dragged);
            return 0;
        }
        break;
    case WM_SETCURSOR:
        if (state != nullptr && state->dragged != nullptr &&
            reinterpret_cast<::HWND>(wParam) == hWnd && LOWORD(lParam) == HTCLIENT) {
            SetCursor(LoadCursorW(nullptr, IDC_SIZEALL));
            return 1;
        }
        break;
    case WM_COMMAND:
        // A button of the control: its ID is the command.
        if (state != nullptr && state->site != nullptr && lParam != 0 &&
            HIWORD(wParam) == BN_CLICKED) {
            state->site->SendCommand(LOWORD(wParam));
            return 0;
        }
        break;
    case WM_NOTIFY:
        if (state != nullptr && state->onNotify)
            return state->onNotify(reinterpret_cast<NMHDR*>(lParam));
        break;
    case WM_SIZE:
        if (state != nullptr && state->onSize)
            state->onSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_ERASEBKGND: {
        // Also the background of the flat toolbar, which lets it show.
        RECT client;
        ::GetClientRect(hWnd, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    case WM_PAINT:
        PaintGripper(hWnd, state != nullptr ? state->gripper : Gripper::None);
        return 0;
    case WM_SHOWWINDOW:
        // Shown or hidden inside a hidden floating window, which follows:
        // no position change comes.
        if (lParam == 0 && AfxFloatingWindowOf(hWnd) != nullptr)
            PostMessageW(GetParent(hWnd), WM_CURVIX_RECALCLAYOUT, 0, 0);
        break;
    case WM_WINDOWPOSCHANGED: {
        const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
        if (pos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))
            PostMessageW(GetParent(hWnd), WM_CURVIX_RECALCLAYOUT, 0, 0);
        break;
    }
    case WM_NCDESTROY:
        delete state;
        break;
    default:
        break;
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

bool RegisterBarClass() {
    static const bool registered = AfxRegisterClass(kClassName, BarWindowProc, CS_DBLCLKS);
    return registered;
}

} // namespace

::HWND AfxCreateBarWindow(::HWND parent, UINT nID, std::unique_ptr<BarWindowWin> state) {
    if (parent == nullptr || !RegisterBarClass())
        return nullptr;
    ::HWND window = CreateWindowExW(
        0, kClassName, L"", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), AfxGetInstanceHandle(), state.get());
    // From here on the window owns the state.
    if (window != nullptr)
        state.release(); // NOLINT(bugprone-unused-return-value)
    return window;
}

BarWindowWin* AfxBarWindowState(::HWND hWnd) {
    wchar_t name[32] = {};
    if (hWnd == nullptr || GetClassNameW(hWnd, name, 32) == 0 || std::wstring(name) != kClassName)
        return nullptr;
    return StateOf(hWnd);
}

} // namespace curvix
