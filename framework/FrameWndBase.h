#pragma once

namespace curvix {

class CViewBase;

// The window-free part of the main frame, as documents see it: the frame
// window derives from it. The GUI's main frame implements this
// and registers itself with AfxSetMainWnd once it is the main window; until
// then (and in tests that set none) there is no main frame, so a document
// loaded at that time is only loaded and draws nothing.
class CFrameWndBase {
public:
    virtual ~CFrameWndBase() = default;
    // The view that commands go to; null when there is none.
    virtual CViewBase* GetActiveView() const = 0;
};

// The application's main window, or null.
CFrameWndBase* AfxGetMainWnd();
void AfxSetMainWnd(CFrameWndBase* frame);

} // namespace curvix
