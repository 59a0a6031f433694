#include "CmdUIQt.h"
#include "FrameWndQt.h"
#include "ResourceLoader.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QProxyStyle>

// The frame's menu bar, built from the menu resource: each item sends its
// command, shows its prompt while highlighted, and gets its state when its
// menu opens.

namespace curvix {

namespace {

// Greyed menu items can still be highlighted, so that their prompts show.
class MenuStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == QStyle::SH_Menu_AllowActiveAndDisabled)
            return 1;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

void CFrameWnd::LoadMenu(UINT nIDResource) {
    const MenuResource* resource = AfxFindResource(&ResourceTable::menus, nIDResource);
    if (resource == nullptr)
        return;
    FrameWindowQt* window = m_pImpl->window;
    QMenuBar* bar = window->menuBar();
    bar->clear();
    auto* menuStyle = new MenuStyle;
    menuStyle->setParent(bar);
    QMenu* popup = nullptr;
    for (const MenuItemResource& item : resource->items) {
        const QString text = QString::fromLatin1(item.text);
        if (item.flags & MF_POPUP) {
            popup = bar->addMenu(text);
            popup->setStyle(menuStyle);
            QObject::connect(popup, &QMenu::aboutToShow, window,
                             [this, popup] { AfxUpdateMenuCmdUI(this, popup); });
            QObject::connect(popup, &QMenu::hovered, window, [this](QAction* action) {
                const UINT id = action->property(kCommandProperty).toUInt();
                SetMessageText(id != 0 ? GetMessageString(id) : std::string());
            });
            QObject::connect(popup, &QMenu::aboutToHide, window,
                             [this] { SetMessageText(AFX_IDS_IDLEMESSAGE); });
            continue;
        }
        if (popup == nullptr)
            continue;
        if (item.flags & MF_SEPARATOR) {
            popup->addSeparator();
            continue;
        }
        QAction* action = popup->addAction(text);
        action->setProperty(kCommandProperty, item.id);
        if (item.flags & MF_CHECKED) {
            action->setCheckable(true);
            action->setChecked(true);
        }
        if (item.flags & MF_GRAYED)
            action->setEnabled(false);
        const UINT id = item.id;
        QObject::connect(action, &QAction::triggered, window, [this, id] { SendCommand(id); });
    }
}

void AfxUpdateMenuCmdUI(CFrameWnd* pFrame, QMenu* menu) {
    for (QAction* action : menu->actions()) {
        const UINT id = action->property(kCommandProperty).toUInt();
        if (id == 0)
            continue;
        CActionCmdUI state(action, id);
        state.DoUpdate(pFrame, true);
    }
}

std::string CFrameWnd::GetMenuItemName(UINT nID) const {
    for (QAction* item : m_pImpl->window->menuBar()->actions()) {
        const QMenu* menu = item->menu();
        if (menu == nullptr)
            continue;
        for (const QAction* action : menu->actions()) {
            if (action->property(kCommandProperty).toUInt() != nID)
                continue;
            return AfxPlainText(action->text()).toStdString();
        }
    }
    return {};
}

} // namespace curvix
