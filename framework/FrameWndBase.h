#pragma once

#include "CmdTarget.h"

#include <string>

namespace curvix {

class CDocument;
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

// The application object as documents and frames see it: the command
// target that holds the main window and the document.
class CWinThread : public CCmdTarget {
public:
    // The main window, or null.
    virtual CFrameWndBase* GetMainWnd() = 0;
    // What a frame asks of the application; an application without
    // documents leaves at once, opens nothing and names no caption.
    // Before the document is left: true when it may go (the user is asked
    // about its changes).
    virtual bool SaveAllModified() { return true; }
    // Opens path into the document (without asking about its changes).
    virtual CDocument* OpenDocumentFile(const std::string& /*path*/) { return nullptr; }
    // The frame's caption, when the frame shows the document.
    virtual void UpdateFrameTitle(const CFrameWndBase* /*pFrame*/) {}
    // The frame is going; it may have been the main window.
    virtual void OnFrameDestroyed(const CFrameWndBase* /*pFrame*/) {}
};

// The registered application object, or null.
CWinThread* AfxGetThread();

// The registered application's main window, or null.
CFrameWndBase* AfxGetMainWnd();

} // namespace curvix
