#include "RecentFileList.h"
#include "RecentFileMenu.h"
#include "TestFrame.h"

#include <QAction>
#include <QDockWidget>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>
#include <ostream>

namespace curvix::test {
namespace {

// What a user sees of one menu item after the menu opened.
struct ItemState {
    const char* text; // nullptr for a separator
    bool enabled;
    int check; // 0 no mark, 1 marked, -1 cannot be marked
};

struct MenuCase {
    const char* title;
    std::vector<ItemState> items;
};

void PrintTo(const MenuCase& c, std::ostream* os) {
    *os << c.title;
}

class MenuTreeTest : public ::testing::TestWithParam<MenuCase> {};

TEST_P(MenuTreeTest, ItemsTextsAndStatesAfterOpening) {
    OpenFrame open;
    const MenuCase& expected = GetParam();
    QMenu* menu = open.OpenMenu(expected.title);
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(expected.items.size()));
    for (size_t i = 0; i < expected.items.size(); ++i) {
        const ItemState& item = expected.items[i];
        QAction* action = actions[static_cast<qsizetype>(i)];
        SCOPED_TRACE(i);
        if (item.text == nullptr) {
            EXPECT_TRUE(action->isSeparator());
            continue;
        }
        EXPECT_EQ(action->text().toStdString(), item.text);
        EXPECT_EQ(action->isEnabled(), item.enabled);
        if (item.check >= 0) {
            EXPECT_TRUE(action->isCheckable());
            EXPECT_EQ(action->isChecked(), item.check == 1);
        } else {
            EXPECT_FALSE(action->isChecked());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    MainMenu, MenuTreeTest,
    ::testing::Values(MenuCase{"&File",
                               {{"&New\tCtrl+N", true, -1},
                                {"&Open...\tCtrl+O", true, -1},
                                {"&Save\tCtrl+S", true, -1},
                                {"Save &As...", true, -1},
                                {nullptr, false, -1},
                                // With an empty recent-file list the placeholder
                                // stays greyed.
                                {"Recent File", false, -1},
                                {nullptr, false, -1},
                                {"E&xit", true, -1}}},
                      MenuCase{"&Edit", {{"&Copy As Image\tCtrl+C", false, -1}}},
                      MenuCase{"&View", {{"&Toolbar", true, 1}, {"&Status Bar", true, 1}}},
                      MenuCase{"&Scene",
                               {{"&Antialiasing", false, 1},
                                {"&Graduation", false, 1},
                                {nullptr, false, -1},
                                {"Rotate Z &Left", false, -1},
                                {"Rotate Z &Right", false, -1},
                                {nullptr, false, -1},
                                {"Zoom &In", false, -1},
                                {"Zoom &Out", false, -1},
                                {nullptr, false, -1},
                                {"&Save as Image...", false, -1}}},
                      MenuCase{"&Help", {{"&About Curvix...", true, -1}}}),
    [](const ::testing::TestParamInfo<MenuCase>& info) {
        std::string name;
        for (const char* c = info.param.title; *c; ++c) {
            if (*c != '&')
                name += *c;
        }
        return name;
    });

TEST(MenuBar, HasTheFiveMenusInOrder) {
    OpenFrame open;
    QStringList titles;
    for (QAction* action : Window(open.frame)->menuBar()->actions())
        titles << action->text();
    EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "&View", "&Scene", "&Help"}));
}

TEST(MenuBar, RecentFilePlaceholderIsGreyedWithoutAHandler) {
    // Without the application's recent-file handlers the placeholder has
    // nothing to run and stays greyed, as in the menu resource.
    CommandLog log;
    TestDoc doc(log);
    TestFrame frame;
    CCreateContext context;
    context.m_pNewViewClass = [] { return new CPlainView; };
    context.m_pCurrentDoc = &doc;
    ASSERT_TRUE(frame.LoadFrame(IDR_MAINFRAME, &context));
    for (QAction* action : Window(frame)->menuBar()->actions()) {
        if (action->text() != "&File")
            continue;
        QAction* recent = action->menu()->actions().at(5);
        EXPECT_EQ(recent->text(), "Recent File");
        EXPECT_FALSE(recent->isEnabled());
        AfxUpdateMenuCmdUI(&frame, action->menu());
        EXPECT_FALSE(recent->isEnabled());
        // New has no application object to go to either.
        EXPECT_FALSE(action->menu()->actions().at(0)->isEnabled());
    }
}

struct RecentTextsCase {
    const char* name;
    std::vector<std::string> added; // oldest first; "./" stands for the current folder
    std::vector<std::string> texts;
};

void PrintTo(const RecentTextsCase& c, std::ostream* os) {
    *os << c.name;
}

class RecentTextsTest : public ::testing::TestWithParam<RecentTextsCase> {};

// Each item is numbered for its mnemonic; an "&" of a name is doubled so
// that it shows instead of marking the next letter.
TEST_P(RecentTextsTest, NumberEachNameNewestFirst) {
    const RecentTextsCase& c = GetParam();
    const std::string here = std::filesystem::current_path().string();
    CRecentFileList list("Recent File List", "File%d", 4);
    for (const std::string& path : c.added)
        list.Add(path.rfind("./", 0) == 0 ? here + path.substr(1) : path);
    EXPECT_EQ(CRecentFileMenu::MenuTexts(&list), c.texts);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, RecentTextsTest,
    ::testing::Values(RecentTextsCase{"Empty", {}, {"Recent File"}},
                      RecentTextsCase{"AmpersandsDoubled", {"./a&b&&c.cvx"}, {"&1 a&&b&&&&c.cvx"}},
                      RecentTextsCase{
                          "NewestFirst",
                          {"/nowhere/one.cvx", "/nowhere/two.cvx", "./three.cvx"},
                          {"&1 three.cvx", "&2 /nowhere/two.cvx", "&3 /nowhere/one.cvx"}}),
    [](const ::testing::TestParamInfo<RecentTextsCase>& info) {
        return std::string(info.param.name);
    });

TEST(RecentTexts, WithoutAListOnlyThePlaceholder) {
    EXPECT_EQ(CRecentFileMenu::MenuTexts(nullptr), std::vector<std::string>{"Recent File"});
}

TEST(ViewMenu, ToolbarHidesAndShowsOnlyTheFileToolbarWithItsMark) {
    OpenFrame open;
    QDockWidget* fileBar = DockOf(open.frame->m_wndFileBar);
    QDockWidget* sceneBar = DockOf(open.frame->m_wndSceneBar);
    QAction* toggle = open.MenuItem("&View", ID_VIEW_TOOLBAR);
    ASSERT_NE(toggle, nullptr);

    open.OpenMenu("&View");
    EXPECT_TRUE(toggle->isChecked());
    toggle->trigger();
    open.RunIdle();
    EXPECT_FALSE(fileBar->isVisible());
    EXPECT_TRUE(sceneBar->isVisible());
    open.OpenMenu("&View");
    EXPECT_FALSE(toggle->isChecked());

    toggle->trigger();
    open.RunIdle();
    EXPECT_TRUE(fileBar->isVisible());
    EXPECT_TRUE(sceneBar->isVisible());
    EXPECT_EQ(Window(open.frame)->dockWidgetArea(sceneBar), Qt::LeftDockWidgetArea);
    open.OpenMenu("&View");
    EXPECT_TRUE(toggle->isChecked());
}

TEST(ViewMenu, StatusBarHidesAndShowsTheStatusBarWithItsMark) {
    OpenFrame open;
    QWidget* statusBar = Widget(open.frame->m_wndStatusBar);
    QAction* toggle = open.MenuItem("&View", ID_VIEW_STATUS_BAR);
    ASSERT_NE(toggle, nullptr);
    toggle->trigger();
    open.RunIdle();
    EXPECT_FALSE(statusBar->isVisible());
    EXPECT_TRUE(Widget(open.frame->m_wndFormulaBar)->isVisible());
    open.OpenMenu("&View");
    EXPECT_FALSE(toggle->isChecked());
    toggle->trigger();
    open.RunIdle();
    EXPECT_TRUE(statusBar->isVisible());
    open.OpenMenu("&View");
    EXPECT_TRUE(toggle->isChecked());
}

TEST(ViewMenu, MarkFollowsAToolbarClosedByOtherMeans) {
    OpenFrame open;
    DockOf(open.frame->m_wndFileBar)->close();
    open.OpenMenu("&View");
    EXPECT_FALSE(open.MenuItem("&View", ID_VIEW_TOOLBAR)->isChecked());
}

struct PromptCase {
    const char* menu;
    UINT id;
    const char* prompt;
};

void PrintTo(const PromptCase& c, std::ostream* os) {
    *os << c.menu << " " << c.id;
}

class MenuPromptTest : public ::testing::TestWithParam<PromptCase> {};

TEST_P(MenuPromptTest, HighlightedItemShowsItsPromptAndClosingRestoresReady) {
    OpenFrame open;
    const PromptCase& expected = GetParam();
    QMenu* menu = open.Menu(expected.menu);
    QMenuBar* bar = Window(open.frame)->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    ASSERT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }));
    QAction* item = open.MenuItem(expected.menu, expected.id);
    QTest::mouseMove(menu, menu->actionGeometry(item).center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return open.MessagePane() == expected.prompt; }))
        << open.MessagePane().toStdString();
    QTest::keyClick(menu, Qt::Key_Escape);
    QTest::keyClick(bar, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([menu] { return !menu->isVisible(); }));
    EXPECT_EQ(open.MessagePane(), "Ready");
}

INSTANTIATE_TEST_SUITE_P(
    MainMenu, MenuPromptTest,
    ::testing::Values(
        PromptCase{"&File", ID_FILE_NEW, "Create a new document"},
        PromptCase{"&File", ID_FILE_SAVE_AS, "Save the active document with a new name"},
        PromptCase{"&File", ID_APP_EXIT, "Quit the application; prompts to save documents"},
        PromptCase{"&Edit", ID_EDIT_COPY, "Copy the selection and put it on the Clipboard"},
        PromptCase{"&View", ID_VIEW_STATUS_BAR, "Show or hide the status bar"},
        PromptCase{"&Scene", ID_SCENE_ZOOM_IN, ""},
        PromptCase{"&Help", ID_APP_ABOUT,
                   "Display program information, version number and copyright"}));

} // namespace
} // namespace curvix::test

namespace curvix::test {
namespace {

TEST(MenuBar, AltMnemonicOpensItsMenuEvenWithAFormulaButtonOnTheSameLetter) {
    OpenFrame open;
    open.Formula()->setFocus();
    QMenu* scene = open.Menu("&Scene");
    QTest::keyClick(open.Formula(), Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([scene] { return scene->isVisible(); }));
    QTest::keyClick(scene, Qt::Key_Escape);
}

} // namespace
} // namespace curvix::test
