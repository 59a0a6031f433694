#pragma once

namespace curvix {

class CView;

// The main frame as documents see it. The GUI's main frame implements this
// and registers itself with AfxSetMainWnd once it is the main window; until
// then (and in tests that set none) there is no main frame, so a document
// loaded at that time is only loaded and draws nothing.
class CFrameWnd {
public:
    virtual ~CFrameWnd() = default;
    // The view that commands go to; null when there is none.
    virtual CView* GetActiveView() const = 0;
};

// The application's main window, or null.
CFrameWnd* AfxGetMainWnd();
void AfxSetMainWnd(CFrameWnd* frame);

} // namespace curvix
