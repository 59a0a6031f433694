#include "View.h"

namespace curvix {

BEGIN_MESSAGE_MAP(CView, CCmdTarget)
ON_COMMAND_RANGE(ID_NEXT_PANE, ID_PREV_PANE, &CView::OnNextPaneCmd)
ON_UPDATE_COMMAND_UI_RANGE(ID_NEXT_PANE, ID_PREV_PANE, &CView::OnUpdateNextPaneMenu)
END_MESSAGE_MAP()

CView::CView() = default;

void CView::SetDocument(CDocument* pDocument) {
    if (pDocument != nullptr) {
        pDocument->AddView(this);
    } else if (CDocument* current = GetAttachedDocument()) {
        current->RemoveView(this);
    }
}

int CView::OnCreate(LPCREATESTRUCT) {
    return 0;
}

void CView::OnInitialUpdate() {
    OnUpdate(nullptr, 0, nullptr);
}

bool CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return true;
    CDocument* document = GetDocument();
    return document != nullptr && document->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CView::OnUpdate(CViewBase*, long, void*) {
    Invalidate();
}

void CView::OnScaleChanged() {
    Invalidate();
}

void CView::OnNextPaneCmd(UINT) {}

void CView::OnUpdateNextPaneMenu(CCmdUI* pCmdUI) {
    pCmdUI->Enable(false);
}

} // namespace curvix
