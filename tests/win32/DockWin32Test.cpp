// The toolbars on Win32 docked at every side and floated: the frame's
// layout and minimum size, the floating tool windows with and without a
// close button, View > Toolbar for a closed floating File toolbar, the
// double clicks, and drags by the gripper with the mouse, the outline
// they show and Esc.

#include "BarWindowWin.h"
#include "DockDragWin.h"
#include "DockSite.h"
#include "FloatingBarWin.h"
#include "Resource.h"
#include "ToolBar.h"
#include "Win32App.h"
#include "WinSystem.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <ostream>

namespace curvix::test {
namespace {

RECT OnScreen(::HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

CRect AsCRect(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

bool Contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

std::string ClassOf(::HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return Utf8FromWide(name);
}

LPARAM At(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)),
                      static_cast<WORD>(static_cast<short>(y)));
}

// Every button of a toolbar, on the screen.
std::vector<RECT> ButtonsOnScreen(::HWND control) {
    std::vector<RECT> buttons;
    const int count = static_cast<int>(SendMessageW(control, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT rect{};
        SendMessageW(control, TB_GETITEMRECT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(&rect));
        MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        buttons.push_back(rect);
    }
    return buttons;
}

class DockWin32Test : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(app.started);
        ASSERT_NE(app.Frame(), nullptr);
        fileWindow = app.Bar(L"File");
        sceneWindow = app.Bar(L"Scene");
        ASSERT_NE(fileWindow, nullptr);
        ASSERT_NE(sceneWindow, nullptr);
        ASSERT_NE(Bar(fileWindow), nullptr);
        ASSERT_NE(Bar(sceneWindow), nullptr);
    }

    // The toolbar object of a bar window (kept while it floats).
    static CToolBar* Bar(::HWND window) {
        const BarWindowWin* state = AfxBarWindowState(window);
        return state != nullptr ? dynamic_cast<CToolBar*>(state->dragged) : nullptr;
    }
    static ::HWND Control(::HWND window) {
        return FindWindowExW(window, nullptr, TOOLBARCLASSNAMEW, nullptr);
    }
    ::HWND Other(::HWND window) const { return window == fileWindow ? sceneWindow : fileWindow; }

    RECT Client() const {
        RECT client{};
        GetClientRect(app.FrameWindow(), &client);
        return client;
    }
    RECT ClientOnScreen() const {
        RECT client = Client();
        MapWindowPoints(app.FrameWindow(), nullptr, reinterpret_cast<POINT*>(&client), 2);
        return client;
    }

    // The view takes what the docked toolbars leave between the formula
    // bar and the frame's other edges.
    void ExpectViewFillsTheRest() const {
        RECT rest = Client();
        rest.bottom = PlaceInParent(app.Bar(L"Function")).top;
        for (::HWND window : {fileWindow, sceneWindow}) {
            const CToolBar* bar = Bar(window);
            if (bar->IsFloating() || !IsWindowVisible(window))
                continue;
            const RECT place = PlaceInParent(window);
            switch (bar->GetDockedSide()) {
            case CBRS_ALIGN_TOP:
                rest.top = std::max(rest.top, place.bottom);
                break;
            case CBRS_ALIGN_BOTTOM:
                rest.bottom = std::min(rest.bottom, place.top);
                break;
            case CBRS_ALIGN_LEFT:
                rest.left = std::max(rest.left, place.right);
                break;
            default:
                rest.right = std::min(rest.right, place.left);
                break;
            }
        }
        const RECT view = PlaceInParent(app.ViewWindow());
        EXPECT_TRUE(EqualRect(&view, &rest))
            << view.left << "," << view.top << "," << view.right << "," << view.bottom;
    }

    // Every button shows whole inside its bar, and the bar inside the
    // frame's client area.
    void ExpectBarShowsWhole(::HWND window) const {
        const RECT bar = OnScreen(window);
        for (const RECT& button : ButtonsOnScreen(Control(window)))
            EXPECT_TRUE(Contains(bar, button)) << button.left << "," << button.top;
        if (!Bar(window)->IsFloating()) {
            EXPECT_TRUE(Contains(ClientOnScreen(), bar));
        }
    }

    NoSettings noSettings;
    RunningApp app;
    ::HWND fileWindow = nullptr;
    ::HWND sceneWindow = nullptr;
};

struct DockCase {
    const wchar_t* bar;
    DWORD side;
};

void PrintTo(const DockCase& c, std::ostream* os) {
    *os << Utf8FromWide(c.bar) << "_" << std::hex << c.side;
}

class DockAtSideTest : public DockWin32Test, public ::testing::WithParamInterface<DockCase> {};

TEST_P(DockAtSideTest, TheBarLiesAlongItsSideAndTheFrameKeepsRoomForIt) {
    ::HWND window = app.Bar(GetParam().bar);
    const DWORD side = GetParam().side;
    CToolBar* bar = Bar(window);
    bar->DockAt(side);
    app.Settle();
    EXPECT_EQ(bar->GetDockedSide(), side);
    EXPECT_EQ(GetParent(window), app.FrameWindow());
    EXPECT_TRUE(IsWindowVisible(window));

    const RECT client = Client();
    const RECT place = PlaceInParent(window);
    const RECT formula = PlaceInParent(app.Bar(L"Function"));
    // The other bar shares the side's site; the File toolbar, made first,
    // lies nearer the edge.
    ::HWND other = Other(window);
    const bool shared = Bar(other)->GetDockedSide() == side;
    const bool outer = window == fileWindow || !shared;
    const RECT next = PlaceInParent(other);
    const bool topTaken = Bar(fileWindow)->GetDockedSide() == CBRS_ALIGN_TOP;
    switch (side) {
    case CBRS_ALIGN_TOP:
        EXPECT_EQ(place.top, outer ? 0 : next.bottom);
        break;
    case CBRS_ALIGN_BOTTOM:
        EXPECT_EQ(place.bottom, outer ? formula.top : next.top);
        break;
    case CBRS_ALIGN_LEFT:
        EXPECT_EQ(place.left, outer ? 0 : next.right);
        break;
    default:
        EXPECT_EQ(place.right, outer ? client.right : next.left);
        break;
    }
    if (IsColumnSide(side)) {
        // Down the height the rows leave, a column of buttons.
        EXPECT_EQ(place.top,
                  topTaken && window != fileWindow ? PlaceInParent(fileWindow).bottom : 0);
        EXPECT_EQ(place.bottom, formula.top);
        EXPECT_GT(Height(place), Width(place));
    } else {
        EXPECT_EQ(place.left, 0);
        EXPECT_EQ(place.right, client.right);
        EXPECT_GT(Width(place), Height(place));
    }
    ExpectViewFillsTheRest();
    ExpectBarShowsWhole(window);

    // Made as small as it goes, the frame stops at the size where every
    // bar still shows whole, and says so to the window system.
    SetWindowPos(app.FrameWindow(), nullptr, 0, 0, 1, 1, SWP_NOMOVE | SWP_NOZORDER);
    app.Settle();
    MINMAXINFO limits{};
    SendMessageW(app.FrameWindow(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    const RECT frame = OnScreen(app.FrameWindow());
    EXPECT_EQ(Width(frame), limits.ptMinTrackSize.x);
    EXPECT_EQ(Height(frame), limits.ptMinTrackSize.y);
    for (::HWND one : {fileWindow, sceneWindow})
        ExpectBarShowsWhole(one);
    ExpectViewFillsTheRest();
    const RECT view = PlaceInParent(app.ViewWindow());
    EXPECT_GE(Width(view), 1);
    EXPECT_GE(Height(view), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Sides, DockAtSideTest,
    ::testing::Values(DockCase{L"File", CBRS_ALIGN_TOP}, DockCase{L"File", CBRS_ALIGN_BOTTOM},
                      DockCase{L"File", CBRS_ALIGN_LEFT}, DockCase{L"File", CBRS_ALIGN_RIGHT},
                      DockCase{L"Scene", CBRS_ALIGN_TOP}, DockCase{L"Scene", CBRS_ALIGN_BOTTOM},
                      DockCase{L"Scene", CBRS_ALIGN_LEFT}, DockCase{L"Scene", CBRS_ALIGN_RIGHT}));

TEST_F(DockWin32Test, TheMinimumSizeFollowsWhereTheBarsAre) {
    const auto minimum = [this] {
        MINMAXINFO limits{};
        SendMessageW(app.FrameWindow(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        return limits.ptMinTrackSize;
    };
    const POINT start = minimum();
    // A column of the Scene toolbar's buttons is taller than a row of it
    // and the rows above and below; floating, it needs no room at all.
    Bar(sceneWindow)->DockAt(CBRS_ALIGN_TOP);
    app.Settle();
    const POINT sceneOnTop = minimum();
    EXPECT_LT(sceneOnTop.y, start.y);
    Bar(sceneWindow)->FloatAt({200, 200});
    app.Settle();
    const POINT sceneFloating = minimum();
    const RECT sceneRow = OnScreen(sceneWindow);
    EXPECT_EQ(sceneFloating.y, sceneOnTop.y - Height(sceneRow));
    // The formula bar's controls are wider than either toolbar's row.
    EXPECT_EQ(sceneFloating.x, start.x);
    EXPECT_EQ(sceneOnTop.x, start.x);
}

struct FloatCase {
    const wchar_t* bar;
    DWORD dockedAt;
    bool closeButton;
};

class FloatTest : public DockWin32Test, public ::testing::WithParamInterface<FloatCase> {};

TEST_P(FloatTest, TheBarFloatsInAToolWindowCaptionedWithItsTitle) {
    const FloatCase& c = GetParam();
    ::HWND window = app.Bar(c.bar);
    CToolBar* bar = Bar(window);
    const RECT viewBefore = PlaceInParent(app.ViewWindow());
    bar->FloatAt({300, 250});
    app.Settle();

    ASSERT_TRUE(bar->IsFloating());
    EXPECT_EQ(bar->GetDockedSide(), 0U);
    ::HWND floating = GetParent(window);
    EXPECT_EQ(ClassOf(floating), "CurvixFloatingBar");
    EXPECT_EQ(GetWindow(floating, GW_OWNER), app.FrameWindow());
    EXPECT_TRUE(IsWindowVisible(floating));
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(WindowText(floating), Utf8FromWide(c.bar));
    const LONG style = GetWindowLongW(floating, GWL_STYLE);
    const LONG exStyle = GetWindowLongW(floating, GWL_EXSTYLE);
    EXPECT_NE(exStyle & WS_EX_TOOLWINDOW, 0);
    EXPECT_EQ(style & WS_CAPTION, static_cast<LONG>(WS_CAPTION));
    // The close button comes with the system menu.
    EXPECT_EQ((style & WS_SYSMENU) != 0, c.closeButton);
    const RECT place = OnScreen(floating);
    EXPECT_EQ(place.left, 300);
    EXPECT_EQ(place.top, 250);
    // One row of every button, inside the window, and the whole caption.
    RECT inside{};
    GetClientRect(floating, &inside);
    MapWindowPoints(floating, nullptr, reinterpret_cast<POINT*>(&inside), 2);
    const std::vector<RECT> buttons = ButtonsOnScreen(Control(window));
    for (const RECT& button : buttons) {
        EXPECT_TRUE(Contains(inside, button));
        EXPECT_EQ(button.top, buttons.front().top);
    }
    EXPECT_GE(bar->GetCaptionRoom(), AfxSmallCaptionTextWidth(c.bar));
    EXPECT_GT(bar->GetCaptionRoom(), 0);
    // Its room in the frame goes to the view.
    const RECT viewFloating = PlaceInParent(app.ViewWindow());
    EXPECT_GT(Width(viewFloating) * Height(viewFloating), Width(viewBefore) * Height(viewBefore));
    ExpectViewFillsTheRest();

    // Floated again, it moves; docked, it is back in the frame.
    bar->FloatAt({320, 260});
    app.Settle();
    EXPECT_EQ(GetParent(window), floating);
    EXPECT_EQ(OnScreen(floating).left, 320);
    bar->DockAt(c.dockedAt);
    app.Settle();
    EXPECT_FALSE(bar->IsFloating());
    EXPECT_FALSE(IsWindow(floating));
    EXPECT_EQ(GetParent(window), app.FrameWindow());
    const RECT viewAgain = PlaceInParent(app.ViewWindow());
    EXPECT_TRUE(EqualRect(&viewAgain, &viewBefore));
    ExpectBarShowsWhole(window);
}

INSTANTIATE_TEST_SUITE_P(Bars, FloatTest,
                         ::testing::Values(FloatCase{L"File", CBRS_ALIGN_TOP, true},
                                           FloatCase{L"Scene", CBRS_ALIGN_LEFT, false}));

bool ViewToolbarChecked(::HWND frame) {
    HMENU menu = GetMenu(frame);
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        SendMessageW(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(menu, i)),
                     MAKELPARAM(i, 0));
    return (GetMenuState(menu, ID_VIEW_TOOLBAR, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

TEST_F(DockWin32Test, ClosingTheFloatingFileToolbarHidesItAndViewToolbarShowsItAgain) {
    CToolBar* bar = Bar(fileWindow);
    bar->FloatAt({350, 300});
    app.Settle();
    ::HWND floating = GetParent(fileWindow);
    const RECT place = OnScreen(floating);
    const RECT viewFloating = PlaceInParent(app.ViewWindow());
    SendMessageW(floating, WM_CLOSE, 0, 0);
    app.Settle();
    EXPECT_FALSE(IsWindowVisible(floating));
    EXPECT_FALSE(bar->IsVisible());
    EXPECT_TRUE(bar->IsFloating());
    EXPECT_FALSE(ViewToolbarChecked(app.FrameWindow()));
    // The frame's layout does not change: the bar had no room there.
    const RECT viewHidden = PlaceInParent(app.ViewWindow());
    EXPECT_TRUE(EqualRect(&viewHidden, &viewFloating));

    app.Command(ID_VIEW_TOOLBAR);
    EXPECT_TRUE(IsWindowVisible(floating));
    EXPECT_TRUE(bar->IsVisible());
    EXPECT_TRUE(bar->IsFloating());
    EXPECT_TRUE(ViewToolbarChecked(app.FrameWindow()));
    const RECT again = OnScreen(floating);
    EXPECT_TRUE(EqualRect(&again, &place));
    // And hides it again, floating or not.
    app.Command(ID_VIEW_TOOLBAR);
    EXPECT_FALSE(IsWindowVisible(floating));
}

TEST_F(DockWin32Test, FloatingBarsHideAndShowWithTheFrame) {
    Bar(fileWindow)->FloatAt({350, 300});
    Bar(sceneWindow)->FloatAt({350, 400});
    app.Settle();
    ::HWND frame = app.FrameWindow();
    ShowWindow(frame, SW_HIDE);
    app.Settle();
    EXPECT_FALSE(IsWindowVisible(GetParent(fileWindow)));
    EXPECT_FALSE(IsWindowVisible(GetParent(sceneWindow)));
    ShowWindow(frame, SW_SHOWNA);
    app.Settle();
    EXPECT_TRUE(IsWindowVisible(GetParent(fileWindow)));
    EXPECT_TRUE(IsWindowVisible(GetParent(sceneWindow)));
}

TEST_F(DockWin32Test, TheFloatingSceneToolbarCannotBeClosedAndDocksBackInstead) {
    const RECT docked = PlaceInParent(sceneWindow);
    CToolBar* bar = Bar(sceneWindow);
    bar->FloatAt({350, 300});
    app.Settle();
    ::HWND floating = GetParent(sceneWindow);
    EXPECT_EQ(GetWindowLongW(floating, GWL_STYLE) & WS_SYSMENU, 0);
    // Nothing on the caption is a close button.
    const RECT place = OnScreen(floating);
    const int captionY = place.top + GetSystemMetrics(SM_CYFIXEDFRAME) + 2;
    for (int x = place.left; x < place.right; x += 2)
        EXPECT_NE(SendMessageW(floating, WM_NCHITTEST, 0, At(x, captionY)), HTCLOSE) << x;
    // Asked to close anyway, it docks back where it was.
    SendMessageW(floating, WM_CLOSE, 0, 0);
    app.Settle();
    EXPECT_FALSE(bar->IsFloating());
    EXPECT_TRUE(bar->IsVisible());
    EXPECT_EQ(bar->GetDockedSide(), CBRS_ALIGN_LEFT);
    const RECT back = PlaceInParent(sceneWindow);
    EXPECT_TRUE(EqualRect(&back, &docked));
}

class DoubleClickTest : public DockWin32Test, public ::testing::WithParamInterface<FloatCase> {};

TEST_P(DoubleClickTest, OnTheGripperFloatsAndOnTheCaptionDocksBack) {
    const FloatCase& c = GetParam();
    ::HWND window = app.Bar(c.bar);
    const RECT docked = OnScreen(window);
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(3, 3));
    SendMessageW(window, WM_LBUTTONUP, 0, At(3, 3));
    SendMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, At(3, 3));
    SendMessageW(window, WM_LBUTTONUP, 0, At(3, 3));
    app.Settle();
    ASSERT_TRUE(Bar(window)->IsFloating());
    ::HWND floating = GetParent(window);
    // Where the bar lay.
    EXPECT_EQ(OnScreen(floating).left, docked.left);
    EXPECT_EQ(OnScreen(floating).top, docked.top);
    const RECT caption = OnScreen(floating);
    SendMessageW(floating, WM_NCLBUTTONDBLCLK, HTCAPTION, At(caption.left + 5, caption.top + 5));
    app.Settle();
    EXPECT_FALSE(Bar(window)->IsFloating());
    EXPECT_EQ(Bar(window)->GetDockedSide(), c.dockedAt);
    const RECT back = OnScreen(window);
    EXPECT_TRUE(EqualRect(&back, &docked));
}

INSTANTIATE_TEST_SUITE_P(Bars, DoubleClickTest,
                         ::testing::Values(FloatCase{L"File", CBRS_ALIGN_TOP, true},
                                           FloatCase{L"Scene", CBRS_ALIGN_LEFT, false}));

// The mouse as the user moves it: through the system's input queue.
void MouseInput(DWORD flags, POINT at = {}) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    if (flags & MOUSEEVENTF_MOVE) {
        const int width = GetSystemMetrics(SM_CXSCREEN);
        const int height = GetSystemMetrics(SM_CYSCREEN);
        input.mi.dx = static_cast<LONG>((at.x * 65536 + width / 2) / width);
        input.mi.dy = static_cast<LONG>((at.y * 65536 + height / 2) / height);
        flags |= MOUSEEVENTF_ABSOLUTE;
    }
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

class DragTest : public DockWin32Test {
protected:
    void SetUp() override {
        DockWin32Test::SetUp();
        SetWindowPos(app.FrameWindow(), nullptr, 100, 80, 600, 600, SWP_NOZORDER);
        SetForegroundWindow(app.FrameWindow());
        app.Settle();
    }
    void TearDown() override {
        if (GetAsyncKeyState(VK_LBUTTON) < 0)
            MouseInput(MOUSEEVENTF_LEFTUP);
        app.Settle();
    }

    // Presses on the gripper at start, moves the pointer to end in steps
    // and leaves the button pressed; what the outline shows there. The
    // pointer's places, as the system put it, in pressed and released.
    BarDrop DragTo(POINT start, POINT end) {
        MouseInput(MOUSEEVENTF_MOVE, start);
        app.Settle();
        GetCursorPos(&pressed);
        MouseInput(MOUSEEVENTF_LEFTDOWN);
        app.Settle();
        EXPECT_TRUE(AfxIsDraggingBar());
        for (int step = 1; step <= 8; ++step) {
            MouseInput(MOUSEEVENTF_MOVE, {start.x + (end.x - start.x) * step / 8,
                                          start.y + (end.y - start.y) * step / 8});
            app.Settle();
        }
        GetCursorPos(&released);
        BarDrop shown;
        ::HWND outline = AfxBarDragOutlineWindow();
        EXPECT_NE(outline, nullptr);
        if (outline != nullptr) {
            EXPECT_TRUE(IsWindowVisible(outline));
            shown.rect = AsCRect(OnScreen(outline));
        }
        return shown;
    }
    void Release() {
        MouseInput(MOUSEEVENTF_LEFTUP);
        app.Settle();
        EXPECT_FALSE(AfxIsDraggingBar());
        EXPECT_EQ(AfxBarDragOutlineWindow(), nullptr);
    }

    POINT pressed{};
    POINT released{};
};

TEST_F(DragTest, DraggingTheSceneGripperToTheRightEdgeDocksItThere) {
    const RECT scene = OnScreen(sceneWindow);
    const RECT client = ClientOnScreen();
    const POINT start{(scene.left + scene.right) / 2, scene.top + 3};
    const POINT end{client.right - 4, (client.top + client.bottom) / 2};
    const BarDrop shown = DragTo(start, end);
    // A docked shape: a column along the right edge.
    EXPECT_EQ(shown.rect.right, client.right);
    EXPECT_GT(shown.rect.Height(), shown.rect.Width());
    Release();
    EXPECT_EQ(Bar(sceneWindow)->GetDockedSide(), CBRS_ALIGN_RIGHT);
    EXPECT_EQ(AsCRect(OnScreen(sceneWindow)), shown.rect);
    ExpectViewFillsTheRest();
}

TEST_F(DragTest, DraggingTheFileGripperIntoTheViewFloatsItWhereTheOutlineWas) {
    const RECT file = OnScreen(fileWindow);
    const RECT view = OnScreen(app.ViewWindow());
    const POINT start{file.left + 3, (file.top + file.bottom) / 2};
    const POINT end{(view.left + view.right) / 2, (view.top + view.bottom) / 2};
    const BarDrop shown = DragTo(start, end);
    // The floating window's shape, the pointer on it where it held the bar.
    EXPECT_EQ(shown.rect.left, released.x - (pressed.x - file.left));
    EXPECT_EQ(shown.rect.top, released.y - (pressed.y - file.top));
    Release();
    ASSERT_TRUE(Bar(fileWindow)->IsFloating());
    EXPECT_EQ(AsCRect(OnScreen(GetParent(fileWindow))), shown.rect);

    // Its caption drags it back to the bottom.
    const RECT floating = OnScreen(GetParent(fileWindow));
    const RECT client = ClientOnScreen();
    const RECT formula = OnScreen(app.Bar(L"Function"));
    const BarDrop back = DragTo({floating.left + 20, floating.top + 8},
                                {(client.left + client.right) / 2, formula.top - 4});
    EXPECT_EQ(back.rect.bottom, formula.top);
    Release();
    EXPECT_EQ(Bar(fileWindow)->GetDockedSide(), CBRS_ALIGN_BOTTOM);
    EXPECT_EQ(GetParent(fileWindow), app.FrameWindow());
    EXPECT_EQ(AsCRect(OnScreen(fileWindow)), back.rect);
}

// The same drags through posted messages, the way they reach the bar
// window: Esc leaves the bar where it was.
TEST_F(DockWin32Test, EscEndsTheDragAndTheBarStaysWhereItWas) {
    const RECT before = PlaceInParent(fileWindow);
    ::HWND field = app.FormulaItem(static_cast<int>(IDC_FORMULA));
    ::SetFocus(field);
    SendMessageW(fileWindow, WM_LBUTTONDOWN, MK_LBUTTON, At(3, 10));
    ASSERT_TRUE(AfxIsDraggingBar());
    EXPECT_EQ(GetCapture(), fileWindow);
    SendMessageW(fileWindow, WM_MOUSEMOVE, MK_LBUTTON, At(200, 300));
    ASSERT_NE(AfxBarDragOutlineWindow(), nullptr);
    // The keyboard is the formula field's; Esc reaches the drag first.
    PostMessageW(field, WM_KEYDOWN, VK_ESCAPE, 1);
    app.Settle();
    EXPECT_FALSE(AfxIsDraggingBar());
    EXPECT_EQ(AfxBarDragOutlineWindow(), nullptr);
    EXPECT_NE(GetCapture(), fileWindow);
    SendMessageW(fileWindow, WM_LBUTTONUP, 0, At(200, 300));
    app.Settle();
    EXPECT_FALSE(Bar(fileWindow)->IsFloating());
    const RECT after = PlaceInParent(fileWindow);
    EXPECT_TRUE(EqualRect(&after, &before));
}

TEST_F(DockWin32Test, AClickOnTheGripperIsNoDrag) {
    const RECT before = PlaceInParent(sceneWindow);
    SendMessageW(sceneWindow, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 3));
    SendMessageW(sceneWindow, WM_MOUSEMOVE, MK_LBUTTON, At(11, 4));
    EXPECT_EQ(AfxBarDragOutlineWindow(), nullptr);
    SendMessageW(sceneWindow, WM_LBUTTONUP, 0, At(11, 4));
    app.Settle();
    EXPECT_FALSE(AfxIsDraggingBar());
    EXPECT_EQ(Bar(sceneWindow)->GetDockedSide(), CBRS_ALIGN_LEFT);
    const RECT after = PlaceInParent(sceneWindow);
    EXPECT_TRUE(EqualRect(&after, &before));
}

TEST_F(DockWin32Test, TheFormulaBarIsNotDragged) {
    ::HWND formula = app.Bar(L"Function");
    const RECT before = PlaceInParent(formula);
    SendMessageW(formula, WM_LBUTTONDOWN, MK_LBUTTON, At(1, 1));
    SendMessageW(formula, WM_MOUSEMOVE, MK_LBUTTON, At(200, -200));
    SendMessageW(formula, WM_LBUTTONUP, 0, At(200, -200));
    app.Settle();
    EXPECT_FALSE(AfxIsDraggingBar());
    const RECT after = PlaceInParent(formula);
    EXPECT_TRUE(EqualRect(&after, &before));
}

TEST_F(DockWin32Test, TheOutlineShowsWhereEachDropWouldPutTheBar) {
    // Dropped where the outline of each place is, the bar lands there.
    struct Target {
        const char* name;
        int x, y; // in the frame's client area; negative from the far edge
        DWORD side;
    };
    const Target targets[] = {
        {"top", 300, 2, CBRS_ALIGN_TOP},   {"bottom", 300, -2, CBRS_ALIGN_BOTTOM},
        {"left", 2, 250, CBRS_ALIGN_LEFT}, {"right", -2, 250, CBRS_ALIGN_RIGHT},
        {"middle", 300, 250, 0},
    };
    for (::HWND window : {fileWindow, sceneWindow}) {
        for (const Target& target : targets) {
            SCOPED_TRACE(target.name);
            const RECT client = ClientOnScreen();
            const RECT formula = OnScreen(app.Bar(L"Function"));
            const POINT pointer{target.x >= 0 ? client.left + target.x : client.right + target.x,
                                target.y >= 0 ? client.top + target.y : formula.top + target.y};
            const RECT grabbed = OnScreen(window);
            const POINT grab{3, 3};
            const BarDrop drop = AfxBarDropAt(Bar(window), pointer, grab);
            EXPECT_EQ(drop.side, target.side);
            POINT inside{grabbed.left + grab.x, grabbed.top + grab.y};
            ScreenToClient(window, &inside);
            SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, At(inside.x, inside.y));
            POINT there = pointer;
            ScreenToClient(window, &there);
            SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, At(there.x, there.y));
            ASSERT_NE(AfxBarDragOutlineWindow(), nullptr);
            EXPECT_EQ(AsCRect(OnScreen(AfxBarDragOutlineWindow())), drop.rect);
            SendMessageW(window, WM_LBUTTONUP, 0, At(there.x, there.y));
            app.Settle();
            EXPECT_EQ(Bar(window)->GetDockedSide(), target.side);
            ::HWND placed = Bar(window)->IsFloating() ? GetParent(window) : window;
            EXPECT_EQ(AsCRect(OnScreen(placed)), drop.rect);
            Bar(window)->DockAt(window == fileWindow ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
            app.Settle();
        }
    }
}

} // namespace
} // namespace curvix::test
