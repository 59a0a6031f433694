#include "TestFrame.h"

#include <QAction>
#include <QDockWidget>
#include <QEnterEvent>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QToolTip>
#include <gtest/gtest.h>

namespace curvix::test {
namespace {

// One toolbar slot as the user sees it: the command, whether it is
// greyed, its tooltip and its prompt in the status bar.
struct ButtonCase {
    UINT id; // 0 for a separator
    bool enabled;
    const char* tooltip;
    const char* prompt;
};

void ExpectButtons(OpenFrame& open, CToolBar& bar, const std::vector<ButtonCase>& expected) {
    ASSERT_EQ(bar.GetCount(), static_cast<int>(expected.size()));
    for (int i = 0; i < bar.GetCount(); ++i) {
        SCOPED_TRACE(i);
        const ButtonCase& item = expected[static_cast<size_t>(i)];
        EXPECT_EQ(bar.GetItemID(i), item.id);
        if (item.id == 0) {
            EXPECT_EQ(ButtonOf(bar, i), nullptr);
            continue;
        }
        QToolButton* button = ButtonOf(bar, i);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->isEnabled(), item.enabled);
        EXPECT_EQ(button->toolTip().toStdString(), item.tooltip);
        EXPECT_EQ(button->size(), QSize(23, 22));
        EXPECT_EQ(button->text(), QString());
        EXPECT_FALSE(button->icon().isNull());

        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
        QCoreApplication::sendEvent(button, &enter);
        EXPECT_EQ(open.MessagePane().toStdString(), item.prompt);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(button, &leave);
        EXPECT_EQ(open.MessagePane(), "Ready");
    }
}

TEST(FileToolBar, ButtonsStatesTooltipsAndPrompts) {
    OpenFrame open;
    ExpectButtons(open, open.frame->m_wndFileBar,
                  {{ID_FILE_NEW, true, "New", "Create a new document"},
                   {ID_FILE_OPEN, true, "Open", "Open an existing document"},
                   {ID_FILE_SAVE, true, "Save", "Save the active document"},
                   {0, false, "", ""},
                   {ID_EDIT_COPY, false, "Copy", "Copy the selection and put it on the Clipboard"},
                   {0, false, "", ""},
                   {ID_APP_ABOUT, true, "About",
                    "Display program information, version number and copyright"}});
}

TEST(SceneToolBar, ButtonsAreAllGreyedWithoutTooltipsOrPrompts) {
    OpenFrame open;
    ExpectButtons(open, open.frame->m_wndSceneBar,
                  {{ID_SCENE_TOOL1, false, "", ""},
                   {ID_SCENE_TOOL1, false, "", ""},
                   {0, false, "", ""},
                   {ID_SCENE_TOOL2, false, "", ""},
                   {ID_SCENE_TOOL3, false, "", ""},
                   {0, false, "", ""},
                   {ID_SCENE_ROTATE_Z_RIGHT, false, "", ""},
                   {ID_SCENE_ROTATE_Z_LEFT, false, "", ""},
                   {0, false, "", ""},
                   {ID_SCENE_TOOL4, false, "", ""}});
}

TEST(SceneToolBar, TheTwoFirstButtonsShareACommandButNotAnImage) {
    OpenFrame open;
    CToolBar& bar = open.frame->m_wndSceneBar;
    const QImage first = ButtonOf(bar, 0)->icon().pixmap(16, 15).toImage();
    const QImage second = ButtonOf(bar, 1)->icon().pixmap(16, 15).toImage();
    EXPECT_EQ(first.size(), QSize(16, 15));
    EXPECT_NE(first, second);
}

TEST(FileToolBar, ButtonClickRunsItsCommandAndGreyedButtonDoesNothing) {
    OpenFrame open;
    CToolBar& bar = open.frame->m_wndFileBar;
    QTest::mouseClick(ButtonOf(bar, 0), Qt::LeftButton);
    QTest::mouseClick(ButtonOf(bar, 2), Qt::LeftButton);
    QTest::mouseClick(ButtonOf(bar, 4), Qt::LeftButton); // Copy, greyed
    ActionOf(bar, 4)->trigger();
    for (int i : {0, 1, 3, 4})
        QTest::mouseClick(ButtonOf(open.frame->m_wndSceneBar, i), Qt::LeftButton);
    const std::vector<std::pair<std::string, UINT>> expected{{"app", ID_FILE_NEW},
                                                             {"doc", ID_FILE_SAVE}};
    EXPECT_EQ(open.log.entries, expected);
}

TEST(ToolBars, DockedAtTopAndLeftDockableEverywhereAndFloatWithTheirTitles) {
    OpenFrame open;
    struct Case {
        CToolBar* bar;
        Qt::DockWidgetArea area;
        Qt::Orientation orientation;
        const char* title;
    };
    for (const Case& c :
         {Case{&open.frame->m_wndFileBar, Qt::TopDockWidgetArea, Qt::Horizontal, "File"},
          Case{&open.frame->m_wndSceneBar, Qt::LeftDockWidgetArea, Qt::Vertical, "Scene"}}) {
        SCOPED_TRACE(c.title);
        QDockWidget* dock = DockOf(*c.bar);
        EXPECT_EQ(Window(open.frame)->dockWidgetArea(dock), c.area);
        EXPECT_EQ(ButtonRowOf(*c.bar)->orientation(), c.orientation);
        EXPECT_EQ(dock->allowedAreas(), Qt::AllDockWidgetAreas);
        EXPECT_TRUE(dock->features().testFlag(QDockWidget::DockWidgetMovable));
        EXPECT_TRUE(dock->features().testFlag(QDockWidget::DockWidgetFloatable));
        EXPECT_EQ(dock->windowTitle(), c.title);
        // Docked, a gripper stands in for the caption.
        ASSERT_NE(dock->titleBarWidget(), nullptr);
        EXPECT_TRUE(dock->titleBarWidget()->isVisible());

        dock->setFloating(true);
        open.RunIdle();
        EXPECT_TRUE(dock->isWindow());
        EXPECT_EQ(dock->titleBarWidget(), nullptr); // the window's caption shows the title
        EXPECT_EQ(dock->windowTitle(), c.title);
        EXPECT_EQ(ButtonRowOf(*c.bar)->orientation(), Qt::Horizontal);
        // The whole caption and every button and separator, at any scale.
        EXPECT_GE(c.bar->GetCaptionRoom(), dock->fontMetrics().horizontalAdvance(c.title));
        for (QAction* action : ButtonRowOf(*c.bar)->actions()) {
            const QWidget* item = ButtonRowOf(*c.bar)->widgetForAction(action);
            EXPECT_TRUE(item->isVisible() && item->geometry().right() < dock->width());
        }

        c.bar->DockAt(CBRS_ALIGN_RIGHT);
        open.RunIdle();
        EXPECT_FALSE(dock->isWindow());
        EXPECT_EQ(Window(open.frame)->dockWidgetArea(dock), Qt::RightDockWidgetArea);
        EXPECT_EQ(ButtonRowOf(*c.bar)->orientation(), Qt::Vertical);
        EXPECT_NE(dock->titleBarWidget(), nullptr);
        c.bar->DockAt(CBRS_ALIGN_BOTTOM);
        EXPECT_EQ(ButtonRowOf(*c.bar)->orientation(), Qt::Horizontal);
    }
}

TEST(ToolBars, FloatingSceneToolbarDocksBackWhereItWasAlsoWhenClosed) {
    OpenFrame open;
    QDockWidget* dock = DockOf(open.frame->m_wndSceneBar);
    const QRect view = Widget(open.frame->GetActiveView())->geometry();
    // Nothing could show it again: no close button, and closing docks it.
    EXPECT_FALSE(dock->features().testFlag(QDockWidget::DockWidgetClosable));
    dock->setFloating(true);
    open.RunIdle();
    dock->close();
    open.RunIdle();
    EXPECT_TRUE(dock->isVisible());
    EXPECT_EQ(Window(open.frame)->dockWidgetArea(dock), Qt::LeftDockWidgetArea);
    EXPECT_EQ(Widget(open.frame->GetActiveView())->geometry(), view);
}

TEST(ToolBars, FloatAtPutsTheBarInAWindowOfItsOwnThereAndDockAtTakesItBack) {
    OpenFrame open;
    for (CToolBar* bar : {&open.frame->m_wndFileBar, &open.frame->m_wndSceneBar}) {
        const DWORD side = bar->GetDockedSide();
        QDockWidget* dock = DockOf(*bar);
        bar->FloatAt({200, 150});
        open.RunIdle();
        EXPECT_TRUE(bar->IsFloating());
        EXPECT_TRUE(dock->isWindow());
        EXPECT_EQ(bar->GetDockedSide(), 0U);
        EXPECT_FALSE(bar->IsInDockSite());
        EXPECT_EQ(dock->pos(), QPoint(200, 150));
        bar->DockAt(side);
        open.RunIdle();
        EXPECT_FALSE(bar->IsFloating());
        EXPECT_FALSE(dock->isWindow());
        EXPECT_EQ(bar->GetDockedSide(), side);
    }
}

TEST(ToolBars, FloatingFileToolbarKeepsWorking) {
    OpenFrame open;
    QDockWidget* dock = DockOf(open.frame->m_wndFileBar);
    dock->setFloating(true);
    open.RunIdle();
    QTest::mouseClick(ButtonOf(open.frame->m_wndFileBar, 1), Qt::LeftButton);
    const std::vector<std::pair<std::string, UINT>> expected{{"app", ID_FILE_OPEN}};
    EXPECT_EQ(open.log.entries, expected);
}

} // namespace
} // namespace curvix::test

namespace curvix::test {
namespace {

TEST(ToolBars, PointerRestingOnButtonsShowsPromptsAlsoWhenGreyed) {
    OpenFrame open;
    QToolButton* save = ButtonOf(open.frame->m_wndFileBar, 2);
    QToolButton* copy = ButtonOf(open.frame->m_wndFileBar, 4);
    QTest::mouseMove(save);
    EXPECT_TRUE(QTest::qWaitFor([&] { return open.MessagePane() == "Save the active document"; }))
        << open.MessagePane().toStdString();
    QTest::mouseMove(copy);
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return open.MessagePane() == "Copy the selection and put it on the Clipboard";
    })) << open.MessagePane().toStdString();
    QTest::mouseMove(Widget(open.frame->GetActiveView()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return open.MessagePane() == "Ready"; }))
        << open.MessagePane().toStdString();
}

TEST(ToolBars, TooltipAppearsForEnabledAndGreyedButtons) {
    OpenFrame open;
    for (int index : {0, 4}) {
        QToolButton* button = ButtonOf(open.frame->m_wndFileBar, index);
        const QPoint local(5, 5);
        QHelpEvent help(QEvent::ToolTip, local, button->mapToGlobal(local));
        QCoreApplication::sendEvent(button, &help);
        EXPECT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }));
        EXPECT_EQ(QToolTip::text(), index == 0 ? "New" : "Copy");
        QToolTip::hideText();
    }
}

} // namespace
} // namespace curvix::test

namespace curvix::test {
namespace {

TEST(ToolBars, DraggingTheGripperFloatsTheBar) {
    OpenFrame open;
    QDockWidget* dock = DockOf(open.frame->m_wndSceneBar);
    QWidget* gripper = dock->titleBarWidget();
    ASSERT_NE(gripper, nullptr);
    const QPoint start = gripper->rect().center();
    QTest::mousePress(gripper, Qt::LeftButton, {}, start);
    for (int step = 1; step <= 10; ++step)
        QTest::mouseMove(gripper, start + QPoint(step * 25, step * 20));
    QTest::mouseRelease(gripper, Qt::LeftButton, {}, start + QPoint(250, 200));
    EXPECT_TRUE(QTest::qWaitFor([dock] { return dock->isFloating(); }));
    EXPECT_EQ(dock->windowTitle(), "Scene");
}

} // namespace
} // namespace curvix::test
