#include "RecentFileMenu.h"

#include "AfxRes.h"
#include "CmdUIQt.h"
#include "RecentFileList.h"

#include <QAction>
#include <QDir>
#include <QMenu>

namespace curvix {

namespace {
constexpr const char* kCommandProperty = "curvixCommand";
} // namespace

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
    for (QAction* action : menu->actions()) {
        const UINT id = action->property(kCommandProperty).toUInt();
        if (id > ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_FILE4) {
            menu->removeAction(action);
            action->deleteLater();
        }
    }
    if (list == nullptr || list->IsEmpty()) {
        placeholder->setText(QStringLiteral("Recent File"));
        return;
    }
    const std::string folder = QDir::currentPath().toLocal8Bit().toStdString();
    const QList<QAction*> actions = menu->actions();
    const qsizetype at = actions.indexOf(placeholder);
    QAction* before = at + 1 < actions.size() ? actions[at + 1] : nullptr;
    for (std::size_t i = 0; i < list->Entries().size(); ++i) {
        QString name = QString::fromLocal8Bit(list->GetDisplayName(i, folder).c_str());
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        const QString text = QStringLiteral("&%1 %2").arg(i + 1).arg(name);
        if (i == 0) {
            placeholder->setText(text);
            continue;
        }
        const UINT id = ID_FILE_MRU_FILE1 + static_cast<UINT>(i);
        auto* action = new QAction(text, menu);
        action->setProperty(kCommandProperty, id);
        menu->insertAction(before, action);
        QObject::connect(action, &QAction::triggered, menu, [this, id] { m_sendCommand(id); });
    }
}

} // namespace curvix
