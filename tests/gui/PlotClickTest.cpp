// A real click and drag in the plot, sent as the X server's own input with
// xdotool: the frame keeps the keyboard and stays active, and the drag
// turns the scene. Under Wayland (own-display-test.sh wayland-click: Weston
// on its X11 backend) the click goes through the compositor, whose
// screenshot tells where the plot lies.

#include "AppTestSupport.h"

#include <QDir>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace curvix::test {
namespace {

bool Xdotool(const QStringList& arguments) {
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Under Wayland, the X server the compositor's window lies on.
    if (qEnvironmentVariableIsSet("CURVIX_TEST_X_DISPLAY"))
        env.insert(QStringLiteral("DISPLAY"), qEnvironmentVariable("CURVIX_TEST_X_DISPLAY"));
    tool.setProcessEnvironment(env);
    tool.start(QStringLiteral("xdotool"), arguments);
    // Its events reach the program through this event loop.
    return QTest::qWaitFor([&] { return tool.state() == QProcess::NotRunning; }, 10000) &&
           tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

// The middle of the widest black run of rows in the compositor's picture.
QPoint PlotMiddleOnTheCompositor() {
    QTemporaryDir folder;
    QProcess shooter;
    shooter.setWorkingDirectory(folder.path());
    shooter.start(QStringLiteral("weston-screenshooter"), {});
    if (!QTest::qWaitFor([&] { return shooter.state() == QProcess::NotRunning; }, 10000))
        return {};
    const QStringList shots =
        QDir(folder.path()).entryList({QStringLiteral("wayland-screenshot*.png")});
    const QImage image = shots.isEmpty() ? QImage() : QImage(folder.filePath(shots.front()));
    QRect plot;
    for (int y = 0; y < image.height(); ++y) {
        int start = 0;
        for (int x = 0; x <= image.width(); ++x) {
            if (x < image.width() && qGray(image.pixel(x, y)) < 8)
                continue;
            if (x - start >= 100)
                plot |= QRect(start, y, x - start, 1);
            start = x + 1;
        }
    }
    return plot.center();
}

TEST(PlotClick, KeepsTheFrameActiveAndTheDragTurnsTheScene) {
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        << "xdotool is not installed";
    SettingsFolder settings;
    RunningApp run;
    ASSERT_TRUE(run.started);
    const bool wayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    const QPoint at = wayland
                          ? PlotMiddleOnTheCompositor()
                          : Widget(run.View())->mapToGlobal(Widget(run.View())->rect().center()) *
                                Widget(run.View())->devicePixelRatio();
    ASSERT_FALSE(at.isNull()) << "no plot found";
    QWindow* window = Window(run.Frame())->windowHandle();
    ASSERT_TRUE(window->isActive());

    const QString x = QString::number(at.x());
    const QString y = QString::number(at.y());
    // Each step in its own time, as a hand would do it.
    const QString pause = QStringLiteral("0.2");
    ASSERT_TRUE(Xdotool({QStringLiteral("mousemove"), x, y, QStringLiteral("sleep"), pause,
                         QStringLiteral("mousedown"), QStringLiteral("1"), QStringLiteral("sleep"),
                         pause, QStringLiteral("mousemove"), QString::number(at.x() + 30),
                         QString::number(at.y() + 10), QStringLiteral("sleep"), pause,
                         QStringLiteral("mouseup"), QStringLiteral("1")}));
    const float* rotation = run.Doc()->GetRotation();
    EXPECT_TRUE(QTest::qWaitFor([&] { return rotation[0] != 0 && rotation[2] != 0; }, 5000));
    run.Settle();
    EXPECT_EQ(rotation[0], -30.0F);
    EXPECT_EQ(rotation[2], 10.0F);
    // The keyboard stays with the frame's own window: a compositor that had
    // given it to the view's surface would have made the view's window
    // Qt's focus window.
    EXPECT_EQ(QGuiApplication::focusWindow(), window);
    EXPECT_TRUE(window->isActive());
    EXPECT_TRUE(Window(run.Frame())->isActiveWindow());
}

} // namespace
} // namespace curvix::test
