#pragma once

#include "CmdTarget.h"

namespace curvix {

class CViewBase;

// The window-free part of the main frame, as documents see it: the frame
// window derives from it. Until the application has a main frame (and in
// tests that make none) a document loaded is only loaded and draws nothing.
class CFrameWndBase {
public:
    virtual ~CFrameWndBase() = default;
    // The view that commands go to; null when there is none.
    virtual CViewBase* GetActiveView() const = 0;
};

// The application object as documents see it: the command target that
// holds the main window.
class CWinThread : public CCmdTarget {
public:
    // The main window, or null.
    virtual CFrameWndBase* GetMainWnd() = 0;
};

// The registered application's main window, or null.
CFrameWndBase* AfxGetMainWnd();

} // namespace curvix
