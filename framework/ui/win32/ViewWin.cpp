#include "AccessibleWin.h"
#include "DpiWin.h"
#include "View.h"
#include "WinSystem.h"
#include "WndWin.h"

// The view's window: a child of the frame with its own device context,
// never erased, whose events go to the view object. It repaints whole on
// every size change and knows double clicks.

namespace curvix {

namespace {

constexpr wchar_t kClassName[] = L"CurvixView";
constexpr UINT kViewID = 0xE900; // the frame's first pane

CPoint PointOf(::HWND hWnd, LPARAM lParam) {
    // Signed: a captured mouse left of or above the window is negative.
    // The view's points are logical pixels, its sizes device pixels.
    const UINT dpi = AfxGetWindowDpi(hWnd);
    return {AfxRescale(static_cast<short>(LOWORD(lParam)), dpi, kDefaultDpi),
            AfxRescale(static_cast<short>(HIWORD(lParam)), dpi, kDefaultDpi)};
}

// Screen readers call the view by its window's text.
bool DescribeView(::HWND hWnd, AccessibleInfo& info) {
    info.name = AfxGetWindowText(hWnd);
    return true;
}

LRESULT CALLBACK ViewWindowProc(::HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* view = static_cast<CView*>(AfxWindowObject(hWnd, message, lParam));
    if (view == nullptr)
        return DefWindowProcW(hWnd, message, wParam, lParam);
    switch (message) {
    case WM_ERASEBKGND:
        // The next frame covers the whole window.
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(hWnd, &paint);
        view->OnPaint();
        EndPaint(hWnd, &paint);
        return 0;
    }
    case WM_SIZE:
        view->OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_LBUTTONDOWN:
        ::SetFocus(hWnd);
        SetCapture(hWnd);
        view->OnLButtonDown(PointOf(hWnd, lParam));
        return 0;
    case WM_LBUTTONUP:
        ReleaseCapture();
        view->OnLButtonUp(PointOf(hWnd, lParam));
        return 0;
    case WM_MOUSEMOVE:
        view->OnMouseMove(PointOf(hWnd, lParam));
        return 0;
    case WM_LBUTTONDBLCLK:
        view->OnLButtonDblClk(PointOf(hWnd, lParam));
        return 0;
    case WM_GETOBJECT:
        if (LRESULT object = 0; AfxAnswerGetObject(hWnd, wParam, lParam, DescribeView, object))
            return object;
        break;
    case WM_MOUSEACTIVATE:
        // A click into the view gives it the keyboard, as into any control.
        return MA_ACTIVATE;
    default:
        break;
    }
    return DefWindowProcW(hWnd, message, wParam, lParam);
}

bool RegisterViewClass() {
    static const bool registered = AfxRegisterClass(
        kClassName, ViewWindowProc, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW | CS_OWNDC);
    return registered;
}

} // namespace

CView::~CView() {
    DestroyWindow();
}

bool CView::Create(CWnd* pParentWnd) {
    ::HWND parent = AfxWin32Hwnd(pParentWnd);
    if (m_hWnd != nullptr || parent == nullptr || !RegisterViewClass())
        return false;
    m_pParent = pParentWnd;
    ::HWND window = CreateWindowExW(
        0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0,
        parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kViewID)), AfxGetInstanceHandle(),
        this);
    m_hWnd = AfxHwnd(window);
    return window != nullptr;
}

CSize CView::GetClientDeviceSize() const {
    return GetClientRect().Size();
}

void CView::SetAccessibleName(const std::string& name) {
    // A window's text is its name to screen readers, also the one the
    // view's own accessible object gives.
    AfxSetWindowText(AfxWin32Hwnd(m_hWnd), name);
}

} // namespace curvix
