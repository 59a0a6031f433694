#pragma once

#include "Wnd.h"

#include <QWidget>

namespace curvix {

// A view: the window inside the frame that shows a document. Commands
// reach the view first and then its document.
class CView : public QWidget, public CCmdTarget {
public:
    CView();
    ~CView() override;

    void SetDocument(CCmdTarget* pDocument) { m_pDocument = pDocument; }
    CCmdTarget* GetDocument() const { return m_pDocument; }

    bool OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    // Pane switching needs a split window; a plain view has none, so the
    // commands stay disabled and do nothing.
    void OnNextPaneCmd(UINT nID);
    void OnUpdateNextPaneMenu(CCmdUI* pCmdUI);

    CCmdTarget* m_pDocument = nullptr;

    DECLARE_MESSAGE_MAP()
};

} // namespace curvix
