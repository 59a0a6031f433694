#include "ControlBar.h"
#include "FrameWndWin.h"
#include "WndWin.h"

// The frame moved to a monitor of another scale.

namespace curvix {

void CFrameWnd::Impl::OnDpiChanged(CFrameWnd& frame, UINT dpi, const RECT& suggested) {
    ::HWND window = AfxWin32Hwnd(frame.m_hWnd);
    if (window == nullptr || dpi == 0)
        return;
    for (CControlBar* bar : frame.m_controlBars)
        bar->OnDpiChanged(dpi);
    // The smallest size for the bars as they are now, before the move.
    frame.UpdateMinimumSize();
    // The system's place keeps the window's size in the new scale and the
    // pointer on the same part of it.
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    frame.UpdateMinimumSize();
}

} // namespace curvix
