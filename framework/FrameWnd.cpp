#include "FrameWnd.h"

namespace curvix {

namespace {
CFrameWnd* g_mainWnd = nullptr;
} // namespace

CFrameWnd* AfxGetMainWnd() {
    return g_mainWnd;
}

void AfxSetMainWnd(CFrameWnd* frame) {
    g_mainWnd = frame;
}

} // namespace curvix
