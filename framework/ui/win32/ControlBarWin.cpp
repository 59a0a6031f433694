#include "BarWindowWin.h"
#include "WndWin.h"

namespace curvix {

CSize CControlBar::GetWholeSize() const {
    ::HWND window = AfxWin32Hwnd(m_hWnd);
    if (const BarWindowWin* state = AfxBarWindowState(window); state != nullptr && state->wholeSize)
        return state->wholeSize();
    RECT rect{};
    if (window == nullptr || !GetWindowRect(window, &rect))
        return {};
    return {rect.right - rect.left, rect.bottom - rect.top};
}

} // namespace curvix
