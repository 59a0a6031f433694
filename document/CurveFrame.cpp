#include "CurveFrame.h"

#include "FrameWndBase.h"

namespace curvix {

CCurveFrame* AfxGetCurveFrame() {
    return dynamic_cast<CCurveFrame*>(AfxGetMainWnd());
}

} // namespace curvix
