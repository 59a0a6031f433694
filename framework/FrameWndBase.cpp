#include "FrameWndBase.h"

namespace curvix {

namespace {
CFrameWndBase* g_mainWnd = nullptr;
} // namespace

CFrameWndBase* AfxGetMainWnd() {
    return g_mainWnd;
}

void AfxSetMainWnd(CFrameWndBase* frame) {
    g_mainWnd = frame;
}

} // namespace curvix
