#include "RecentFileMenu.h"

#include "AfxRes.h"
#include "CmdUIQt.h"
#include "RecentFileList.h"

#include <QAction>
#include <QDir>
#include <QMenu>
#include <QStringList>
#include <string>
#include <vector>

namespace curvix {

void CRecentFileMenu::OnUpdate(CCmdUI* pCmdUI, const CRecentFileList* list) const {
    if (pCmdUI->m_nID != ID_FILE_MRU_FILE1) {
        pCmdUI->Enable(true);
        return;
    }
    if (auto* item = dynamic_cast<CActionCmdUI*>(pCmdUI)) {
        if (QAction* placeholder = item->GetAction())
            Rebuild(placeholder, list);
    }
    pCmdUI->Enable(list != nullptr && !list->IsEmpty());
}

void CRecentFileMenu::Rebuild(QAction* placeholder, const CRecentFileList* list) const {
    auto* menu = qobject_cast<QMenu*>(placeholder->parent());
    if (menu == nullptr)
        return;
    const std::string folder = QDir::currentPath().toLocal8Bit().toStdString();
    QStringList texts;
    const std::size_t count = list != nullptr ? list->Entries().size() : 0;
    for (std::size_t i = 0; list != nullptr && i < count; ++i) {
        QString name = QString::fromLocal8Bit(list->GetDisplayName(i, folder).c_str());
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        texts << QStringLiteral("&%1 %2").arg(i + 1).arg(name);
    }
    if (texts.isEmpty())
        texts << QStringLiteral("Recent File");

    // The menu is brought up to date at every idle moment: it is rebuilt
    // only when the list has changed.
    QStringList shown;
    std::vector<QAction*> added;
    for (QAction* action : menu->actions()) {
        const UINT id = action->property(kCommandProperty).toUInt();
        if (action == placeholder) {
            shown << action->text();
        } else if (id > ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_FILE4) {
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
    placeholder->setText(texts.front());
    const QList<QAction*> actions = menu->actions();
    const qsizetype at = actions.indexOf(placeholder);
    QAction* before = at + 1 < actions.size() ? actions[at + 1] : nullptr;
    for (qsizetype i = 1; i < texts.size(); ++i) {
        const UINT id = ID_FILE_MRU_FILE1 + static_cast<UINT>(i);
        auto* action = new QAction(texts[i], menu);
        action->setProperty(kCommandProperty, id);
        menu->insertAction(before, action);
        QObject::connect(action, &QAction::triggered, menu, [this, id] { m_sendCommand(id); });
    }
}

} // namespace curvix
