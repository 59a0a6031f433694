#include "CmdUIQt.h"

#include <QAbstractButton>
#include <QAction>
#include <QMenu>
#include <QStringList>

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

void CActionCmdUI::SetMenuItems(const std::vector<std::string>& items,
                                const std::function<void(UINT)>& sendCommand) {
    auto* menu = qobject_cast<QMenu*>(m_pAction->parent());
    if (menu == nullptr || items.empty())
        return;
    QStringList texts;
    for (const std::string& item : items)
        texts << QString::fromLocal8Bit(item.c_str());

    // Menus are brought up to date at every idle moment: the items are
    // rebuilt only when the texts have changed.
    QStringList shown;
    std::vector<QAction*> added;
    for (QAction* action : menu->actions()) {
        const UINT id = action->property(kCommandProperty).toUInt();
        if (action == m_pAction) {
            shown << action->text();
        } else if (id > m_nID && id < m_nID + kMaxMenuListItems) {
            shown << action->text();
            added.push_back(action);
        }
    }
    if (shown == texts)
        return;
    for (QAction* action : added) {
        menu->removeAction(action);
        action->deleteLater();
    }
    m_pAction->setText(texts.front());
    const QList<QAction*> actions = menu->actions();
    const qsizetype at = actions.indexOf(m_pAction);
    QAction* before = at + 1 < actions.size() ? actions[at + 1] : nullptr;
    for (qsizetype i = 1; i < texts.size(); ++i) {
        const UINT id = m_nID + static_cast<UINT>(i);
        auto* action = new QAction(texts[i], menu);
        action->setProperty(kCommandProperty, id);
        menu->insertAction(before, action);
        QObject::connect(action, &QAction::triggered, menu, [sendCommand, id] { sendCommand(id); });
    }
}

CButtonCmdUI::CButtonCmdUI(QAbstractButton* button, UINT nID) : m_pButton(button) {
    m_nID = nID;
}

void CButtonCmdUI::Enable(bool bOn) {
    CCmdUI::Enable(bOn);
    m_pButton->setEnabled(bOn);
}

} // namespace curvix
