#include "FrameWndBase.h"

namespace curvix {

CWinThread* AfxGetThread() {
    return dynamic_cast<CWinThread*>(AfxGetAppCmdTarget());
}

CFrameWndBase* AfxGetMainWnd() {
    CWinThread* app = AfxGetThread();
    return app != nullptr ? app->GetMainWnd() : nullptr;
}

} // namespace curvix
