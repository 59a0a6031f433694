#include "View.h"

namespace curvix {

BEGIN_MESSAGE_MAP(CView, CCmdTarget)
ON_COMMAND_RANGE(ID_NEXT_PANE, ID_PREV_PANE, &CView::OnNextPaneCmd)
ON_UPDATE_COMMAND_UI_RANGE(ID_NEXT_PANE, ID_PREV_PANE, &CView::OnUpdateNextPaneMenu)
END_MESSAGE_MAP()

CView::CView() {
    setFocusPolicy(Qt::StrongFocus);
}

CView::~CView() = default;

bool CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return true;
    return m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CView::OnNextPaneCmd(UINT) {}

void CView::OnUpdateNextPaneMenu(CCmdUI* pCmdUI) {
    pCmdUI->Enable(false);
}

} // namespace curvix
