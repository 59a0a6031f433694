#include "DockDragWin.h"

#include "BarLayout.h"
#include "BarWindowWin.h"
#include "DockSite.h"
#include "FloatingBarWin.h"
#include "FrameWndWin.h"
#include "WinSystem.h"
#include "WndWin.h"

#include <cstdlib>
#include <vector>

namespace curvix {

namespace {

constexpr wchar_t kOutlineClass[] = L"CurvixDragOutline";
// Across the outline's edges: thin around a docked shape, thick around a
// floating window.
constexpr int kDockedEdge = 2;
constexpr int kFloatingEdge = 4;

struct Drag {
    CControlBar* bar = nullptr;
    ::HWND window = nullptr; // the bar's window, which has the mouse
    POINT start{};
    POINT grab{}; // the pointer inside the window it holds
    bool moved = false;
};

Drag& Current() {
    static Drag drag;
    return drag;
}

// The window showing the outline, while one shows.
struct OutlineWindow {
    ::HWND window = nullptr;
};

OutlineWindow& Outline() {
    static OutlineWindow outline;
    return outline;
}

CFrameWnd* FrameOf(const CControlBar* bar) {
    return bar != nullptr ? dynamic_cast<CFrameWnd*>(bar->GetBarSite()) : nullptr;
}

CSize SizeAt(const CControlBar* bar, DWORD side) {
    const BarWindowWin* state = AfxBarWindowState(AfxWin32Hwnd(bar));
    return state != nullptr && state->sizeAt ? state->sizeAt(side) : bar->GetWholeSize();
}

// What the pointer holds: the floating window, or the bar's own.
::HWND GrabbedWindow(const CControlBar* bar) {
    ::HWND window = AfxWin32Hwnd(bar);
    ::HWND floating = AfxFloatingWindowOf(window);
    return floating != nullptr ? floating : window;
}

// Every other pixel, as the window system draws what is being dragged.
HBRUSH HalftoneBrush() {
    static const WORD pattern[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA, 0x5555, 0xAAAA};
    static const HBITMAP bitmap = CreateBitmap(8, 8, 1, 1, pattern);
    static const HBRUSH brush = CreatePatternBrush(bitmap);
    return brush;
}

LRESULT CALLBACK OutlineProc(::HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(hWnd, &paint);
        RECT client;
        GetClientRect(hWnd, &client);
        FillRect(dc, &client, HalftoneBrush());
        EndPaint(hWnd, &paint);
        return 0;
    }
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    default:
        return DefWindowProcW(hWnd, message, wParam, lParam);
    }
}

// The outline: a window shaped as the rectangle's edges alone, above
// every other window, that never takes the mouse or the keyboard.
void ShowOutline(const BarDrop& drop) {
    static const bool registered = AfxRegisterClass(kOutlineClass, OutlineProc);
    ::HWND& outline = Outline().window;
    if (outline == nullptr && registered)
        outline = CreateWindowExW(
            WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TRANSPARENT, kOutlineClass,
            L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, AfxGetInstanceHandle(), nullptr);
    if (outline == nullptr)
        return;
    const CRect& rect = drop.rect;
    const int edge = drop.side != 0 ? kDockedEdge : kFloatingEdge;
    HRGN shape = CreateRectRgn(0, 0, rect.Width(), rect.Height());
    if (rect.Width() > 2 * edge && rect.Height() > 2 * edge) {
        HRGN inside = CreateRectRgn(edge, edge, rect.Width() - edge, rect.Height() - edge);
        CombineRgn(shape, shape, inside, RGN_DIFF);
        DeleteObject(inside);
    }
    SetWindowRgn(outline, shape, 0);                    // the window owns the region now
    SetWindowPos(outline, reinterpret_cast<::HWND>(-1), // topmost
                 rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(outline, nullptr, 1);
    UpdateWindow(outline);
}

void HideOutline() {
    ::HWND& outline = Outline().window;
    if (outline != nullptr)
        DestroyWindow(outline);
    outline = nullptr;
}

// Ends the drag; with drop, the bar goes where the pointer left it.
void EndDrag(bool drop, POINT pointer) {
    const Drag drag = Current();
    Current() = {};
    HideOutline();
    if (drag.window != nullptr && GetCapture() == drag.window)
        ReleaseCapture();
    if (!drop || !drag.moved || drag.bar == nullptr)
        return;
    const BarDrop place = AfxBarDropAt(drag.bar, pointer, drag.grab);
    if (place.side != 0)
        drag.bar->DockAt(place.side);
    else
        drag.bar->FloatAt({place.rect.left, place.rect.top});
}

POINT OnScreen(::HWND hWnd, LPARAM lParam) {
    POINT pointer = AfxPointOf(lParam);
    ClientToScreen(hWnd, &pointer);
    return pointer;
}

} // namespace

BarDrop AfxBarDropAt(CControlBar* pBar, POINT pointer, POINT grab) {
    BarDrop drop;
    CFrameWnd* frame = FrameOf(pBar);
    ::HWND frameWindow = AfxWin32Hwnd(frame);
    if (frameWindow == nullptr)
        return drop;
    RECT client{};
    GetClientRect(frameWindow, &client);
    MapWindowPoints(frameWindow, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const CRect inside = AfxCRect(client);

    // The area the dock sites share is what the bars along the frame's
    // edges leave; each site is as thick as its bars, the dragged one too.
    std::vector<CControlBar*> order;
    const std::vector<BarPlace> places = CFrameWnd::Impl::BarPlaces(*frame, order);
    std::vector<BarPlace> edges;
    std::array<int, 4> thickness{};
    for (size_t i = 0; i < order.size(); ++i) {
        if (!order[i]->IsInDockSite()) {
            edges.push_back(places[i]);
            continue;
        }
        for (size_t side = 0; side < kDockSides.size(); ++side) {
            if (places[i].visible && places[i].side == kDockSides[side])
                thickness[side] += places[i].thickness;
        }
    }
    const DockSites sites = MakeDockSites(LayOutBars(inside, edges).view, thickness);
    // Near a site is within one bar's thickness of it.
    const int reach = SizeAt(pBar, CBRS_ALIGN_TOP).cy;
    const DWORD allowed = CFrameWnd::Impl::DockStyle(*frame) & pBar->GetDockingStyle();
    drop.side = PickDockSide({pointer.x, pointer.y}, sites, allowed, reach);

    if (drop.side != 0) {
        // Where the frame's layout will put it.
        const std::vector<BarPlace> docked =
            CFrameWnd::Impl::BarPlaces(*frame, order, pBar, drop.side, SizeAt(pBar, drop.side));
        const FrameLayout layout = LayOutBars(inside, docked);
        for (size_t i = 0; i < order.size(); ++i) {
            if (order[i] == pBar)
                drop.rect = layout.bars[i];
        }
        return drop;
    }
    const CSize whole = SizeAt(pBar, 0);
    const bool closable = pBar->GetBarSite() != nullptr && pBar->GetBarSite()->HasBarToggle(pBar);
    const SIZE window =
        AfxFloatingWindowSize({whole.cx, whole.cy}, WideFromUtf8(pBar->GetWindowText()), closable);
    drop.rect = FloatingPlace({pointer.x, pointer.y}, {grab.x, grab.y}, {window.cx, window.cy});
    return drop;
}

bool AfxBeginBarDrag(CControlBar* pBar, POINT pointer) {
    Drag& drag = Current();
    ::HWND window = AfxWin32Hwnd(pBar);
    RECT grabbed{};
    if (drag.bar != nullptr || window == nullptr || pBar->GetDockingStyle() == 0 ||
        !GetWindowRect(GrabbedWindow(pBar), &grabbed))
        return false;
    drag = {pBar, window, pointer, {pointer.x - grabbed.left, pointer.y - grabbed.top}, false};
    SetCapture(window);
    return true;
}

bool AfxBarDragMessage(::HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Drag& drag = Current();
    if (drag.bar == nullptr || hWnd != drag.window)
        return false;
    switch (message) {
    case WM_MOUSEMOVE: {
        const POINT pointer = OnScreen(hWnd, lParam);
        // A click is not a drag: the pointer has to go some way first.
        if (!drag.moved && std::abs(pointer.x - drag.start.x) < GetSystemMetrics(SM_CXDRAG) &&
            std::abs(pointer.y - drag.start.y) < GetSystemMetrics(SM_CYDRAG))
            return true;
        drag.moved = true;
        ShowOutline(AfxBarDropAt(drag.bar, pointer, drag.grab));
        return true;
    }
    case WM_LBUTTONUP:
        EndDrag(true, OnScreen(hWnd, lParam));
        return true;
    case WM_KEYDOWN:
        if (wParam != VK_ESCAPE)
            return false;
        EndDrag(false, {});
        return true;
    case WM_RBUTTONDOWN:
        EndDrag(false, {});
        return true;
    case WM_CAPTURECHANGED:
        // Another window took the mouse: the drag is over.
        if (reinterpret_cast<::HWND>(lParam) != hWnd)
            EndDrag(false, {});
        return true;
    case WM_CANCELMODE:
    case WM_DESTROY:
        EndDrag(false, {});
        return false;
    default:
        return false;
    }
}

bool AfxBarDragKey(const MSG& msg) {
    if (Current().bar == nullptr || msg.message != WM_KEYDOWN || msg.wParam != VK_ESCAPE)
        return false;
    EndDrag(false, {});
    return true;
}

bool AfxIsDraggingBar() {
    return Current().bar != nullptr;
}

::HWND AfxBarDragOutlineWindow() {
    return Outline().window;
}

void AfxToggleFloating(CControlBar* pBar) {
    ::HWND window = AfxWin32Hwnd(pBar);
    if (window == nullptr || pBar->GetDockingStyle() == 0)
        return;
    if (::HWND floating = AfxFloatingWindowOf(window)) {
        pBar->DockAt(AfxFloatingDockBack(floating));
        return;
    }
    RECT rect{};
    GetWindowRect(window, &rect);
    pBar->FloatAt({rect.left, rect.top});
}

} // namespace curvix
