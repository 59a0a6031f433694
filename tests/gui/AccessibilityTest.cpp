// What a screen reader learns through Qt's accessibility interface, and the
// formula field's context menu.

#include "CurvixView.h"
#include "TestFrame.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace curvix::test {
namespace {

QAccessibleInterface* Accessible(QObject* object) {
    QAccessibleInterface* item = QAccessible::queryAccessibleInterface(object);
    EXPECT_NE(item, nullptr);
    return item;
}

TEST(Accessibility, EveryControlHasItsName) {
    OpenFrame open([] { return new CCurvixView; });
    TestFrame& frame = *open.frame;
    const std::vector<std::pair<QObject*, const char*>> names{
        {frame.m_wndFileBar.GetItemButton(0), "New"},
        {frame.m_wndFileBar.GetItemButton(1), "Open"},
        {frame.m_wndFileBar.GetItemButton(2), "Save"},
        {frame.m_wndFileBar.GetItemButton(4), "Copy"},
        {frame.m_wndFileBar.GetItemButton(6), "About"},
        {frame.m_wndSceneBar.GetItemButton(0), "Turn About X"},
        {frame.m_wndSceneBar.GetItemButton(1), "Turn About Y"},
        {frame.m_wndSceneBar.GetItemButton(3), "Zoom"},
        {frame.m_wndSceneBar.GetItemButton(4), "Move"},
        {frame.m_wndSceneBar.GetItemButton(6), "Rotate Z Right"},
        {frame.m_wndSceneBar.GetItemButton(7), "Rotate Z Left"},
        {frame.m_wndSceneBar.GetItemButton(9), "Axes"},
        {open.Formula(), "f(x)="},
        {open.Button(IDC_SQRT), "sqrt"},
        {open.Button(IDC_SIN), "sin"},
        {open.Button(IDC_DRAW), "Draw!"},
        {frame.GetActiveView(), "Plot"},
        {frame.m_wndStatusBar.GetPaneLabel(0), "Message"},
        {frame.m_wndStatusBar.GetPaneLabel(1), "View Size"},
    };
    for (const auto& [object, name] : names) {
        SCOPED_TRACE(name);
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(Accessible(object)->text(QAccessible::Name).toStdString(), name);
    }
    // A pane's text is read as its description and follows it.
    frame.ShowViewSize(600, 400);
    EXPECT_EQ(Accessible(frame.m_wndStatusBar.GetPaneLabel(1))->text(QAccessible::Description),
              " 600x400");
}

// Whether a screen reader hears of a menu item as greyed, and as marked.
struct MenuItemState {
    const char* menu;
    UINT id;
    bool enabled;
    bool checked;
};

QAccessibleInterface* AccessibleMenuItem(QMenuBar* bar, const char* title, UINT id) {
    for (QAction* top : bar->actions()) {
        const QList<QAction*> items = top->menu()->actions();
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (top->text() == QLatin1String(title) &&
                items[i]->property("curvixCommand").toUInt() == id)
                return Accessible(top->menu())->child(static_cast<int>(i));
        }
    }
    return nullptr;
}

TEST(Accessibility, StatesFollowTheEnableRuleBeforeAnyMenuOpens) {
    // Checked once the frame exists, before it is shown or any event runs.
    CommandLog log;
    TestDoc doc{log};
    TestApp app{log};
    AfxSetAppCmdTarget(&app);
    TestFrame frame;
    CCreateContext context;
    context.m_pNewViewClass = [] { return new CPlainView; };
    context.m_pCurrentDoc = &doc;
    ASSERT_TRUE(frame.LoadFrame(IDR_MAINFRAME, &context));
    for (const MenuItemState& c : std::vector<MenuItemState>{
             {"&File", ID_FILE_NEW, true, false},
             {"&File", ID_FILE_MRU_FILE1, false, false},
             {"&Edit", ID_EDIT_COPY, false, false},
             {"&View", ID_VIEW_TOOLBAR, true, true},
             {"&View", ID_VIEW_STATUS_BAR, true, true},
             {"&Scene", ID_SCENE_ANTIALIASING, false, true},
             {"&Scene", ID_SCENE_ROTATE_Z_LEFT, false, false},
             {"&Scene", ID_SCENE_ZOOM_IN, false, false},
             {"&Scene", ID_SCENE_SAVE_AS_IMAGE, false, false},
             {"&Help", ID_APP_ABOUT, true, false},
         }) {
        SCOPED_TRACE(c.id);
        QAccessibleInterface* item = AccessibleMenuItem(frame.menuBar(), c.menu, c.id);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->state().disabled, !c.enabled);
        EXPECT_EQ(item->state().checked, c.checked);
    }
    for (const auto& [control, enabled] : std::vector<std::pair<QWidget*, bool>>{
             {frame.m_wndFileBar.GetItemButton(1), true},   // Open
             {frame.m_wndFileBar.GetItemButton(4), false},  // Copy
             {frame.m_wndSceneBar.GetItemButton(0), false}, // Turn About X
             {frame.m_wndSceneBar.GetItemButton(7), false}, // Rotate Z Left
             {frame.m_wndFormulaBar.GetDlgItem(IDC_COS), false},
             {frame.m_wndFormulaBar.GetDlgItem(IDC_DRAW), true},
         }) {
        SCOPED_TRACE(Accessible(control)->text(QAccessible::Name).toStdString());
        EXPECT_EQ(Accessible(control)->state().disabled, !enabled);
    }
    AfxSetAppCmdTarget(nullptr);
}

TEST(FormulaField, ContextMenuShowsOnlyKeyHintsThatWork) {
    OpenFrame open;
    QLineEdit* formula = open.Formula();
    formula->setText(QStringLiteral("sin(x)"));
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            formula->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(formula, &event);
    QMenu* menu = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&menu] {
        menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        return menu != nullptr;
    }));
    QStringList texts;
    for (QAction* action : menu->actions())
        texts << action->text();
    menu->close();
    // The accelerator table takes these keys first; Select All's key works.
    EXPECT_FALSE(texts.filter(QStringLiteral("&Paste")).isEmpty())
        << texts.join(QLatin1Char('|')).toStdString();
    for (const char* key : {"\tCtrl+X", "\tCtrl+C", "\tCtrl+V", "\tCtrl+Z"}) {
        EXPECT_TRUE(texts.filter(QLatin1String(key)).isEmpty())
            << key << ": " << texts.join(QLatin1Char('|')).toStdString();
    }
    EXPECT_FALSE(texts.filter(QStringLiteral("\tCtrl+A")).isEmpty());
}

} // namespace
} // namespace curvix::test
