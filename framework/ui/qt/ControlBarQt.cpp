#include "ControlBar.h"
#include "WndQt.h"

namespace curvix {

CSize CControlBar::GetWholeSize() const {
    const QWidget* window = AfxQtWidget(m_hWnd);
    return window != nullptr ? AfxCSize(window->minimumSizeHint()) : CSize{};
}

} // namespace curvix
