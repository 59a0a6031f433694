// The first window on its screen: its whole frame, title bar and status bar
// included, lies inside the screen's available area at every display scale;
// window-manager-test.sh runs the FirstWindow tests again under Openbox,
// which frames the window, on small and large screens.

#include "ScreenFit.h"

#include "AppTestSupport.h"
#include "StatusBar.h"

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
    EXPECT_EQ(FitFrameInto(c.client, c.margins, c.available, c.minimum), c.fitted);
}

const QMargins kFrame(1, 20, 1, 1);

INSTANTIATE_TEST_SUITE_P(
    Cases, FitFrame,
    ::testing::Values(
        FitCase{"AlreadyInside",
                {100, 50, 600, 600},
                kFrame,
                {0, 0, 1280, 1024},
                {},
                {100, 50, 600, 600}},
        // QT_SCALE_FACTOR=2 on 1280 x 1024: 640 x 512 logical pixels.
        FitCase{"TallerThanTheScreen",
                {20, 10, 600, 512},
                kFrame,
                {0, 0, 640, 512},
                {},
                {20, 20, 600, 491}},
        FitCase{"OverTheRightAndBottomEdges",
                {500, 400, 300, 200},
                kFrame,
                {0, 0, 640, 512},
                {},
                {339, 311, 300, 200}},
        FitCase{"OverTheLeftAndTopEdges",
                {-50, 5, 300, 200},
                kFrame,
                {0, 0, 640, 512},
                {},
                {1, 20, 300, 200}},
        FitCase{"BelowAPanel", {0, 0, 600, 600}, kFrame, {0, 30, 800, 570}, {}, {1, 50, 600, 549}},
        // Never below the minimum: the title bar and the menu stay on the screen.
        FitCase{"MinimumLargerThanTheScreen",
                {100, 100, 600, 600},
                kFrame,
                {0, 0, 400, 300},
                {420, 350},
                {1, 20, 420, 350}},
        FitCase{"NoFrameKnown", {0, 0, 600, 600}, {}, {0, 0, 800, 600}, {}, {0, 0, 600, 600}}),
    [](const ::testing::TestParamInfo<FitCase>& info) { return std::string(info.param.name); });

QRect OnScreen(const QWidget* widget) {
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

TEST(FirstWindow, FrameAndStatusBarLieInsideTheScreen) {
    SettingsFolder settings;
    RunningApp run;
    ASSERT_TRUE(run.started);
    CMainFrame* frame = run.Frame();
    QWindow* window = frame->windowHandle();
    ASSERT_NE(window, nullptr);
    if (qEnvironmentVariableIsSet("CURVIX_TEST_FRAMED")) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window->frameMargins().isNull(); }, 5000))
            << "the window manager gave the window no frame";
    }
    const QRect available = frame->screen()->availableGeometry();
    // 600 x 600 where the screen has room for it with the frame, else the
    // room there is, but never below the minimum size.
    const auto expectedSize = [&] {
        const QSize room = available.size().shrunkBy(window->frameMargins());
        return QSize(600, 600).boundedTo(room).expandedTo(frame->minimumSize());
    };
    const auto fitted = [&] {
        const QRect outer = frame->frameGeometry();
        return frame->size() == expectedSize() &&
               (available.contains(outer) || outer.topLeft() == available.topLeft());
    };
    // The fit follows the frame's arrival.
    (void)QTest::qWaitFor(fitted, 5000);
    run.Settle();

    const QMargins margins = window->frameMargins();
    const QRect outer = frame->frameGeometry();
    SCOPED_TRACE(::testing::Message()
                 << "screen " << available.width() << "x" << available.height() << ", frame "
                 << outer.x() << "," << outer.y() << " " << outer.width() << "x" << outer.height()
                 << ", minimum " << frame->minimumWidth() << "x" << frame->minimumHeight());
    EXPECT_EQ(outer, frame->geometry().marginsAdded(margins));
    EXPECT_EQ(frame->size(), expectedSize());
    if (available.size().shrunkBy(margins).expandedTo(frame->minimumSize()) ==
        available.size().shrunkBy(margins)) {
        EXPECT_TRUE(available.contains(outer));
        const QWidget* status = frame->GetControlBar(AFX_IDW_STATUS_BAR)->GetSafeHwnd();
        EXPECT_TRUE(available.contains(OnScreen(status)));
    } else {
        // Larger than the screen: its title bar and menu stay on it.
        EXPECT_EQ(outer.topLeft(), available.topLeft());
    }
}

} // namespace
} // namespace curvix::test
