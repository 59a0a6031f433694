#include "CmdUIQt.h"

#include <QAbstractButton>
#include <QAction>

namespace curvix {

CActionCmdUI::CActionCmdUI(QAction* action, UINT nID) : m_pAction(action) {
    m_nID = nID;
}

void CActionCmdUI::Enable(bool bOn) {
    CCmdUI::Enable(bOn);
    m_pAction->setEnabled(bOn);
}

void CActionCmdUI::SetCheck(int nCheck) {
    m_pAction->setCheckable(true);
    m_pAction->setChecked(nCheck != 0);
}

CButtonCmdUI::CButtonCmdUI(QAbstractButton* button, UINT nID) : m_pButton(button) {
    m_nID = nID;
}

void CButtonCmdUI::Enable(bool bOn) {
    CCmdUI::Enable(bOn);
    m_pButton->setEnabled(bOn);
}

} // namespace curvix
