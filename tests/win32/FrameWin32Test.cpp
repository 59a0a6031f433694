// The frame on Win32: where its bars lie, the states its menus and buttons
// show, the texts of its panes, and the commands that its window, the
// formula bar and the view's mouse messages send.

#include "BarLayout.h"
#include "Resource.h"
#include "Win32App.h"
#include "WinSystem.h"

#include <gtest/gtest.h>

namespace curvix::test {
namespace {

class FrameWin32Test : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(app.started);
        ASSERT_NE(app.Frame(), nullptr);
    }

    NoSettings noSettings;
    RunningApp app;
};

TEST_F(FrameWin32Test, OpensAt600By600WithTheBarsWhereTheFrameCreatedThem) {
    RECT window{};
    GetWindowRect(app.FrameWindow(), &window);
    EXPECT_EQ(Width(window), 600);
    EXPECT_EQ(Height(window), 600);
    EXPECT_EQ(app.Caption(), "Untitled - Curvix");

    RECT client{};
    GetClientRect(app.FrameWindow(), &client);
    const RECT status = PlaceInParent(app.StatusBar());
    const RECT formula = PlaceInParent(app.Bar(L"Function"));
    const RECT file = PlaceInParent(app.Bar(L"File"));
    const RECT scene = PlaceInParent(app.Bar(L"Scene"));
    const RECT view = PlaceInParent(app.ViewWindow());
    // The status bar along the bottom, the formula bar right above it, both
    // across the whole width; the File toolbar across the top; the Scene
    // toolbar down the left between them; the view the rest.
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_EQ(Width(status), Width(client));
    EXPECT_EQ(formula.bottom, status.top);
    EXPECT_EQ(Width(formula), Width(client));
    EXPECT_EQ(file.top, 0);
    EXPECT_EQ(Width(file), Width(client));
    EXPECT_EQ(scene.left, 0);
    EXPECT_EQ(scene.top, file.bottom);
    EXPECT_EQ(scene.bottom, formula.top);
    EXPECT_EQ(view.left, scene.right);
    EXPECT_EQ(view.top, file.bottom);
    EXPECT_EQ(view.right, client.right);
    EXPECT_EQ(view.bottom, formula.top);
    // A column of the Scene toolbar's buttons, a row of the File toolbar's.
    EXPECT_GT(Height(scene), Width(scene));
    EXPECT_GT(Height(file), 22);

    // The size pane shows the view's client size, with the leading blank
    // below 1000.
    RECT viewClient{};
    GetClientRect(app.ViewWindow(), &viewClient);
    EXPECT_EQ(app.Pane(1),
              " " + std::to_string(viewClient.right) + "x" + std::to_string(viewClient.bottom));
    EXPECT_EQ(app.Pane(0), "Ready");
}

TEST_F(FrameWin32Test, TheFrameStaysLargeEnoughForEveryBar) {
    SetWindowPos(app.FrameWindow(), nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
    app.Settle();
    RECT window{};
    GetWindowRect(app.FrameWindow(), &window);
    EXPECT_GT(Width(window), 100);
    EXPECT_GT(Height(window), 100);
    // The formula bar's buttons still show whole.
    RECT draw{};
    RECT bar{};
    GetWindowRect(app.FormulaItem(static_cast<int>(IDC_DRAW)), &draw);
    GetWindowRect(app.Bar(L"Function"), &bar);
    EXPECT_LE(draw.right, bar.right);
}

struct BarToggle {
    UINT command;
    const wchar_t* bar; // null for the status bar
};

class BarToggleTest : public FrameWin32Test, public ::testing::WithParamInterface<BarToggle> {};

TEST_P(BarToggleTest, HidesItsBarAndGivesTheRoomToTheView) {
    const BarToggle toggle = GetParam();
    ::HWND bar = toggle.bar != nullptr ? app.Bar(toggle.bar) : app.StatusBar();
    ::HWND scene = app.Bar(L"Scene");
    const RECT viewBefore = PlaceInParent(app.ViewWindow());
    const RECT sceneBefore = PlaceInParent(scene);
    app.Command(toggle.command);
    EXPECT_FALSE(IsWindowVisible(bar));
    const RECT viewAfter = PlaceInParent(app.ViewWindow());
    EXPECT_GT(Width(viewAfter) * Height(viewAfter), Width(viewBefore) * Height(viewBefore));
    // The Scene toolbar stays on its side.
    EXPECT_EQ(PlaceInParent(scene).left, sceneBefore.left);
    app.Command(toggle.command);
    EXPECT_TRUE(IsWindowVisible(bar));
    const RECT viewAgain = PlaceInParent(app.ViewWindow());
    EXPECT_TRUE(EqualRect(&viewAgain, &viewBefore));
}

INSTANTIATE_TEST_SUITE_P(Toggles, BarToggleTest,
                         ::testing::Values(BarToggle{ID_VIEW_TOOLBAR, L"File"},
                                           BarToggle{ID_VIEW_STATUS_BAR, nullptr}));

struct MenuItemState {
    UINT id;
    bool enabled;
    bool checked;
};

TEST_F(FrameWin32Test, MenusShowTheEnableRuleWhenTheyOpen) {
    const MenuItemState expected[] = {
        {ID_FILE_NEW, true, false},
        {ID_FILE_OPEN, true, false},
        {ID_FILE_SAVE, true, false},
        {ID_FILE_SAVE_AS, true, false},
        {ID_FILE_MRU_FILE1, false, false},
        {ID_APP_EXIT, true, false},
        {ID_EDIT_COPY, false, false},
        {ID_VIEW_TOOLBAR, true, true},
        {ID_VIEW_STATUS_BAR, true, true},
        {ID_SCENE_ANTIALIASING, false, true},
        {ID_SCENE_GRADUATION, false, true},
        {ID_SCENE_ROTATE_Z_LEFT, false, false},
        {ID_SCENE_ROTATE_Z_RIGHT, false, false},
        {ID_SCENE_ZOOM_IN, false, false},
        {ID_SCENE_ZOOM_OUT, false, false},
        {ID_SCENE_SAVE_AS_IMAGE, false, false},
        {ID_APP_ABOUT, true, false},
    };
    HMENU bar = GetMenu(app.FrameWindow());
    ASSERT_NE(bar, nullptr);
    for (int i = 0; i < GetMenuItemCount(bar); ++i)
        SendMessageW(app.FrameWindow(), WM_INITMENUPOPUP,
                     reinterpret_cast<WPARAM>(GetSubMenu(bar, i)), MAKELPARAM(i, 0));
    for (const MenuItemState& item : expected) {
        const UINT state = GetMenuState(bar, item.id, MF_BYCOMMAND);
        ASSERT_NE(state, 0xFFFFFFFF) << item.id;
        EXPECT_EQ((state & (MF_GRAYED | MF_DISABLED)) == 0, item.enabled) << item.id;
        EXPECT_EQ((state & MF_CHECKED) != 0, item.checked) << item.id;
    }
    // Hiding the toolbar takes its check mark.
    app.Command(ID_VIEW_TOOLBAR);
    EXPECT_EQ(GetMenuState(bar, ID_VIEW_TOOLBAR, MF_BYCOMMAND) & MF_CHECKED, 0U);
}

TEST_F(FrameWin32Test, ButtonsAreGreyedExactlyWhereNothingHandlesTheirCommands) {
    struct Button {
        const wchar_t* bar;
        int index;
        bool enabled;
    };
    const Button buttons[] = {
        {L"File", 0, true},   {L"File", 1, true},   {L"File", 2, true},   {L"File", 4, false},
        {L"File", 6, true},   {L"Scene", 0, false}, {L"Scene", 1, false}, {L"Scene", 3, false},
        {L"Scene", 4, false}, {L"Scene", 6, false}, {L"Scene", 7, false}, {L"Scene", 9, false},
    };
    for (const Button& button : buttons) {
        TBBUTTON info{};
        ASSERT_TRUE(SendMessageW(app.ToolBarControl(button.bar), TB_GETBUTTON,
                                 static_cast<WPARAM>(button.index),
                                 reinterpret_cast<LPARAM>(&info)));
        EXPECT_EQ((info.fsState & TBSTATE_ENABLED) != 0, button.enabled) << button.index;
    }
    for (const UINT id : {IDC_SQRT, IDC_COS, IDC_SIN, IDC_TAN})
        EXPECT_FALSE(IsWindowEnabled(app.FormulaItem(static_cast<int>(id)))) << id;
    EXPECT_TRUE(IsWindowEnabled(app.FormulaItem(static_cast<int>(IDC_DRAW))));
    EXPECT_TRUE(IsWindowEnabled(app.FormulaItem(static_cast<int>(IDC_FORMULA))));
}

TEST_F(FrameWin32Test, PromptsFollowTheHighlightedMenuItemAndTheHotButton) {
    ::HWND frame = app.FrameWindow();
    SendMessageW(frame, WM_MENUSELECT, MAKEWPARAM(ID_FILE_OPEN, MF_HILITE), 0);
    EXPECT_EQ(app.Pane(0), "Open an existing document");
    SendMessageW(frame, WM_MENUSELECT, MAKEWPARAM(ID_SCENE_ZOOM_IN, MF_HILITE | MF_GRAYED), 0);
    EXPECT_EQ(app.Pane(0), "");
    SendMessageW(frame, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(app.Pane(0), "Ready");

    ::HWND toolBar = app.ToolBarControl(L"File");
    NMTBHOTITEM hot{};
    hot.hdr = {toolBar, 0, static_cast<UINT>(TBN_HOTITEMCHANGE)};
    hot.idNew = static_cast<int>(ID_FILE_SAVE);
    SendMessageW(GetParent(toolBar), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hot));
    EXPECT_EQ(app.Pane(0), "Save the active document");
    hot.dwFlags = HICF_LEAVING;
    SendMessageW(GetParent(toolBar), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hot));
    EXPECT_EQ(app.Pane(0), "Ready");

    // Tooltips: the text after the prompt's line feed; none without one.
    for (const auto& [id, tip] : {std::pair{ID_FILE_OPEN, "Open"}, std::pair{ID_APP_ABOUT, "About"},
                                  std::pair{ID_SCENE_TOOL1, ""}}) {
        NMTTDISPINFOW info{};
        info.hdr = {toolBar, id, static_cast<UINT>(TTN_GETDISPINFOW)};
        SendMessageW(GetParent(toolBar), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        EXPECT_EQ(info.lpszText != nullptr ? Utf8FromWide(info.lpszText) : "", tip) << id;
    }
}

TEST_F(FrameWin32Test, TheFormulaFieldHoldsEightBitTextOfAnyLength) {
    ::HWND field = app.FormulaItem(static_cast<int>(IDC_FORMULA));
    SetWindowTextW(field, L"x\u00b2+\u00e9\u20ac");
    // Each character one byte; one beyond Latin-1 reads as "?".
    EXPECT_EQ(app.Frame()->GetFormulaText(), "x\xb2+\xe9?");
    const std::string whole(40000, '1');
    app.Frame()->SetFormulaText(whole);
    EXPECT_EQ(app.Frame()->GetFormulaText(), whole);
    app.Frame()->SetFormulaText("sin(x)\xb0");
    EXPECT_EQ(WindowText(field), "sin(x)\u00b0");
}

TEST_F(FrameWin32Test, DrawRunsFromTheButtonAndFromEnterInTheField) {
    ::HWND field = app.FormulaItem(static_cast<int>(IDC_FORMULA));
    SetWindowTextW(field, L"x");
    SendMessageW(app.FormulaItem(static_cast<int>(IDC_DRAW)), BM_CLICK, 0, 0);
    app.Settle();
    EXPECT_EQ(app.View()->GetVertices().Size(), 400U);
    EXPECT_EQ(app.Pane(0), "Ready");

    SetWindowTextW(field, L"2");
    ::SetFocus(field);
    PostMessageW(field, WM_KEYDOWN, VK_RETURN, 1);
    app.Settle();
    ASSERT_EQ(app.View()->GetVertices().Size(), 400U);
    EXPECT_EQ(app.View()->GetVertices()[1], 2.0F);
}

TEST_F(FrameWin32Test, TheViewTurnsByTheMouseMessagesPixelForPixel) {
    ::HWND view = app.ViewWindow();
    float* angles = app.Doc()->GetRotation();
    const auto at = [](int x, int y) {
        return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)),
                          static_cast<WORD>(static_cast<short>(y)));
    };
    SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, at(50, 50));
    EXPECT_EQ(GetCapture(), view);
    SendMessageW(view, WM_MOUSEMOVE, MK_LBUTTON, at(80, 60));
    // Past the window's left and top edges the points are negative.
    SendMessageW(view, WM_MOUSEMOVE, MK_LBUTTON, at(-20, -5));
    SendMessageW(view, WM_LBUTTONUP, 0, at(-20, -5));
    EXPECT_NE(GetCapture(), view);
    EXPECT_EQ(angles[0], -(-20.0F - 50.0F));
    EXPECT_EQ(angles[2], -5.0F - 50.0F);
    SendMessageW(view, WM_MOUSEMOVE, 0, at(0, 0));
    EXPECT_EQ(angles[0], 70.0F); // no drag without the button
    SendMessageW(view, WM_LBUTTONDBLCLK, MK_LBUTTON, at(5, 5));
    EXPECT_EQ(angles[0], 0.0F);
    EXPECT_EQ(angles[2], 0.0F);
}

TEST_F(FrameWin32Test, TheAboutBoxShowsItsTextsAndEndsWithEsc) {
    std::string caption;
    std::string version;
    bool hasIcon = false;
    WhenModal([&](::HWND dialog) {
        caption = WindowText(dialog);
        version = DialogMessage(dialog);
        for (::HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT))
            hasIcon = hasIcon || SendMessageW(child, STM_GETICON, 0, 0) != 0;
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return true;
    });
    app.Command(ID_APP_ABOUT);
    EXPECT_EQ(caption, "About Curvix");
    EXPECT_EQ(version, "Curvix Version 1.0");
    EXPECT_TRUE(hasIcon);
    EXPECT_TRUE(IsWindowVisible(app.FrameWindow()));
}

TEST(BarLayoutTest, EachBarTakesItsEdgeOfWhatTheOnesBeforeLeft) {
    const std::vector<BarPlace> bars = {
        {CBRS_ALIGN_BOTTOM, 20, {50, 20}, true},  // status bar
        {CBRS_ALIGN_BOTTOM, 26, {300, 26}, true}, // formula bar
        {CBRS_ALIGN_TOP, 28, {150, 28}, true},    // File toolbar
        {CBRS_ALIGN_LEFT, 27, {27, 250}, true},   // Scene toolbar
        {CBRS_ALIGN_RIGHT, 10, {10, 10}, false},  // hidden: no room
    };
    const FrameLayout layout = LayOutBars({0, 0, 400, 300}, bars);
    EXPECT_EQ(layout.bars[0], (CRect{0, 280, 400, 300}));
    EXPECT_EQ(layout.bars[1], (CRect{0, 254, 400, 280}));
    EXPECT_EQ(layout.bars[2], (CRect{0, 0, 400, 28}));
    EXPECT_EQ(layout.bars[3], (CRect{0, 28, 27, 254}));
    EXPECT_EQ(layout.bars[4], CRect{});
    EXPECT_EQ(layout.view, (CRect{27, 28, 400, 254}));
    // The widest row, and the rows' heights around the tallest column.
    EXPECT_EQ(MinimumClientSize(bars), (CSize{300, 20 + 26 + 28 + 250}));
    // A client smaller than the bars: no rectangle turns inside out.
    const FrameLayout tiny = LayOutBars({0, 0, 10, 10}, bars);
    for (const CRect& rect : tiny.bars) {
        EXPECT_GE(rect.Width(), 0);
        EXPECT_GE(rect.Height(), 0);
    }
}

} // namespace
} // namespace curvix::test
