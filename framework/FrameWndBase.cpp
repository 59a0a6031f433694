#include "FrameWndBase.h"

namespace curvix {

CFrameWndBase* AfxGetMainWnd() {
    auto* app = dynamic_cast<CWinThread*>(AfxGetAppCmdTarget());
    return app != nullptr ? app->GetMainWnd() : nullptr;
}

} // namespace curvix
