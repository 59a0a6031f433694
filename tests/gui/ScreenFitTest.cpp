// The first window's frame, title bar and status bar included, lies inside
// the screen's available area; own-display-test.sh window-manager runs the
// FirstWindow test under Openbox, which frames it, on small and large
// screens at scales 1 and 2.

#include "ScreenFit.h"

#include "AppTestSupport.h"
#include "StatusBar.h"
#include "WndQt.h"

#include <QScreen>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>
#include <ostream>

namespace curvix::test {
namespace {

struct FitCase {
    const char* name;
    QRect client;
    QMargins margins;
    QRect available;
    QSize minimum;
    QRect fitted;
};

void PrintTo(const FitCase& c, std::ostream* os) {
    *os << c.name;
}

class FitFrame : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitFrame, PutsTheFrameInsideTheAvailableArea) {
    const FitCase& c = GetParam();
    const CMargins margins{c.margins.left(), c.margins.top(), c.margins.right(),
                           c.margins.bottom()};
    EXPECT_EQ(AfxQRect(FitFrameInto(AfxCRect(c.client), margins, AfxCRect(c.available),
                                    AfxCSize(c.minimum))),
              c.fitted);
}

const QMargins kFrame(1, 20, 1, 1);

// QT_SCALE_FACTOR=2 on 1280 x 1024 leaves 640 x 512 logical pixels.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, FitFrame, ::testing::Values(
    FitCase{"TallerThanTheScreen", {20, 10, 600, 512}, kFrame, {0, 0, 640, 512}, {}, {20, 20, 600, 491}},
    FitCase{"OverTheRightAndBottom", {500, 400, 300, 200}, kFrame, {0, 0, 640, 512}, {}, {339, 311, 300, 200}},
    FitCase{"OverTheLeftAndTop", {-50, 5, 300, 200}, kFrame, {0, 0, 640, 512}, {}, {1, 20, 300, 200}},
    FitCase{"BelowAPanel", {0, 0, 600, 600}, kFrame, {0, 30, 800, 570}, {}, {1, 50, 600, 549}},
    // Never below the minimum: the title bar and the menu stay on the screen.
    FitCase{"MinimumTooLarge", {100, 100, 600, 600}, kFrame, {0, 0, 400, 300}, {420, 350}, {1, 20, 420, 350}}),
    [](const ::testing::TestParamInfo<FitCase>& info) { return std::string(info.param.name); });
// clang-format on

TEST(FirstWindow, FrameAndStatusBarLieInsideTheScreen) {
    SettingsFolder settings;
    RunningApp run;
    ASSERT_TRUE(run.started);
    CMainFrame* frame = run.Frame();
    QWindow* window = Window(frame)->windowHandle();
    ASSERT_NE(window, nullptr);
    if (qEnvironmentVariableIsSet("CURVIX_TEST_FRAMED")) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window->frameMargins().isNull(); }, 5000))
            << "the window manager gave the window no frame";
    }
    const QRect available = Window(frame)->screen()->availableGeometry();
    // 600 x 600 where the screen has room for it with the frame, else the
    // room there is, but never below the minimum size.
    const auto expectedSize = [&] {
        const QSize room = available.size().shrunkBy(window->frameMargins());
        return QSize(600, 600).boundedTo(room).expandedTo(Window(frame)->minimumSize());
    };
    const auto fitted = [&] {
        const QRect outer = Window(frame)->frameGeometry();
        return Window(frame)->size() == expectedSize() &&
               (available.contains(outer) || outer.topLeft() == available.topLeft());
    };
    // The fit follows the frame's arrival.
    (void)QTest::qWaitFor(fitted, 5000);
    run.Settle();

    const QMargins margins = window->frameMargins();
    const QRect outer = Window(frame)->frameGeometry();
    SCOPED_TRACE(::testing::Message() << "frame " << outer.x() << "," << outer.y() << " "
                                      << outer.width() << "x" << outer.height());
    EXPECT_EQ(outer, Window(frame)->geometry().marginsAdded(margins));
    EXPECT_EQ(Window(frame)->size(), expectedSize());
    const QSize room = available.size().shrunkBy(margins);
    if (room.expandedTo(Window(frame)->minimumSize()) == room) {
        EXPECT_TRUE(available.contains(outer));
        const QWidget* status = Widget(*frame->GetControlBar(AFX_IDW_STATUS_BAR));
        EXPECT_TRUE(available.contains(QRect(status->mapToGlobal(QPoint()), status->size())));
    } else {
        // Larger than the screen: its title bar and menu stay on it.
        EXPECT_EQ(outer.topLeft(), available.topLeft());
    }
}

} // namespace
} // namespace curvix::test
