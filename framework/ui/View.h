#pragma once

#include "Document.h"
#include "ViewBase.h"
#include "Wnd.h"

#include <QWidget>

namespace curvix {

// A view: the window inside the frame that shows a document. Commands
// reach the view first and then its document; the document's update of its
// views repaints the whole window.
class CView : public QWidget, public CCmdTarget, public virtual CViewBase {
public:
    CView();
    ~CView() override;

    // Attaches the view to pDocument (null detaches it).
    void SetDocument(CDocument* pDocument);
    CDocument* GetDocument() const { return GetAttachedDocument(); }

    // Called by the frame once the view is its child and attached to its
    // document; -1 fails the frame's creation.
    virtual int OnCreate(LPCREATESTRUCT lpCreateStruct);

    // Called once the frame the view lies in has become the main window
    // with its document in place; the base repaints from the document.
    virtual void OnInitialUpdate();

    bool OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    void OnUpdate(CViewBase* sender, long hint, void* hintObject) override;

protected:
    // Pane switching needs a split window; a plain view has none, so the
    // commands stay disabled and do nothing.
    void OnNextPaneCmd(UINT nID);
    void OnUpdateNextPaneMenu(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()
};

} // namespace curvix
