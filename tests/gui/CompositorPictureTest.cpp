// The program under a headless Weston, checked on the compositor's own
// screenshot: what reaches the screen, not what OpenGL reads back.

#include "OpenRequestClient.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <optional>
#include <unistd.h>

namespace curvix::test {
namespace {

constexpr char kSocket[] = "curvix-picture";

bool IsBlack(QRgb c) {
    return qRed(c) < 8 && qGreen(c) < 8 && qBlue(c) < 8;
}

bool IsDrawingGreen(QRgb c) {
    return qGreen(c) > 100 && qRed(c) < 60 && qBlue(c) < 60;
}

// The plot as the compositor shows it: the black area the view covers.
struct Plot {
    QImage image;
    QRect area;

    // Whether the drawing colour is within 2 pixels of the plot point
    // (x, y) under the default projection.
    bool GreenNear(double x, double y) const {
        constexpr double kShown = 11.0; // default half-extent and its margin
        const int px = area.left() + static_cast<int>((x + kShown) / (2 * kShown) * area.width());
        const int py = area.top() + static_cast<int>((kShown - y) / (2 * kShown) * area.height());
        for (int dy = -2; dy <= 2; ++dy) {
            for (int dx = -2; dx <= 2; ++dx) {
                if (area.contains(px + dx, py + dy) &&
                    IsDrawingGreen(image.pixel(px + dx, py + dy)))
                    return true;
            }
        }
        return false;
    }

    // The share of the row (or column) through the middle that is drawn,
    // within 2 pixels of it: the axis lies there.
    double AxisShare(bool horizontal) const {
        const int length = horizontal ? area.width() : area.height();
        int drawn = 0;
        for (int along = 0; along < length; ++along) {
            for (int off = -2; off <= 2; ++off) {
                const QPoint p = horizontal ? QPoint(area.left() + along, area.center().y() + off)
                                            : QPoint(area.center().x() + off, area.top() + along);
                if (IsDrawingGreen(image.pixel(p))) {
                    ++drawn;
                    break;
                }
            }
        }
        return static_cast<double>(drawn) / length;
    }
};

// The union of the long black runs of pixels: icons and text have none.
std::optional<Plot> FindPlot(const QImage& image) {
    constexpr int kLongRun = 60;
    QRect area;
    for (int y = 0; y < image.height(); ++y) {
        int start = 0;
        for (int x = 0; x <= image.width(); ++x) {
            if (x < image.width() && IsBlack(image.pixel(x, y)))
                continue;
            if (x - start >= kLongRun)
                area |= QRect(start, y, x - start, 1);
            start = x + 1;
        }
    }
    if (area.width() < 100 || area.height() < 100)
        return std::nullopt;
    return Plot{image, area};
}

struct CompositorCase {
    const char* name;
    int scale;
};

void PrintTo(const CompositorCase& c, std::ostream* os) {
    *os << c.name;
}

class CompositorPicture : public ::testing::TestWithParam<CompositorCase> {
protected:
    void SetUp() override {
        m_weston = QStandardPaths::findExecutable(QStringLiteral("weston"));
        m_shooter = QStandardPaths::findExecutable(QStringLiteral("weston-screenshooter"));
        if (m_weston.isEmpty() || m_shooter.isEmpty())
            GTEST_SKIP() << "weston or weston-screenshooter is not installed";
        ASSERT_TRUE(m_runtime.isValid() && m_home.isValid());
        QFile::setPermissions(m_runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                    QFileDevice::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        m_compositor.setProcessEnvironment(env);
        m_compositor.setProcessChannelMode(QProcess::MergedChannels);
        m_compositor.start(m_weston,
                           {QStringLiteral("--backend=headless-backend.so"),
                            QStringLiteral("--socket=%1").arg(kSocket),
                            QStringLiteral("--width=1024"), QStringLiteral("--height=768"),
                            QStringLiteral("--scale=%1").arg(GetParam().scale),
                            QStringLiteral("--use-pixman"), QStringLiteral("--no-config"),
                            QStringLiteral("--idle-time=0"), QStringLiteral("--debug")});
        const QString socket = m_runtime.filePath(QLatin1String(kSocket));
        // An installed Weston that does not start is a broken setup, not a
        // missing piece.
        (void)QTest::qWaitFor(
            [&] { return QFile::exists(socket) || m_compositor.state() == QProcess::NotRunning; },
            10000);
        ASSERT_TRUE(QFile::exists(socket))
            << "weston did not start: " << m_compositor.readAll().toStdString();

        env.insert(QStringLiteral("WAYLAND_DISPLAY"), QLatin1String(kSocket));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
        env.insert(QStringLiteral("HOME"), m_home.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        env.remove(QStringLiteral("QT_SCALE_FACTOR"));
        m_program.setProcessEnvironment(env);
        m_program.setProcessChannelMode(QProcess::ForwardedChannels);
    }

    void TearDown() override {
        for (QProcess* process : {&m_program, &m_compositor}) {
            process->terminate();
            if (!process->waitForFinished(5000))
                process->kill();
            process->waitForFinished(5000);
        }
    }

    void StartCurvix() {
        m_program.start(QStringLiteral(CURVIX_PROGRAM), {});
        ASSERT_TRUE(m_program.waitForStarted(5000));
    }

    QString RequestSocket() const {
        return m_runtime.filePath(QStringLiteral("curvix-%1").arg(::getuid()));
    }

    // The compositor's picture of its whole output, or a null image.
    QImage Screenshot() {
        QDir folder(m_runtime.path());
        for (const QString& old : folder.entryList({QStringLiteral("wayland-screenshot*.png")}))
            folder.remove(old);
        QProcess shooter;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
        env.insert(QStringLiteral("WAYLAND_DISPLAY"), QLatin1String(kSocket));
        shooter.setProcessEnvironment(env);
        shooter.setWorkingDirectory(m_runtime.path());
        shooter.start(m_shooter, {});
        if (!shooter.waitForFinished(10000) || shooter.exitCode() != 0)
            return {};
        const QStringList shots = folder.entryList({QStringLiteral("wayland-screenshot*.png")});
        return shots.isEmpty() ? QImage() : QImage(folder.filePath(shots.front()));
    }

    // Takes screenshots until one satisfies shows, for at most 15 s: the
    // program starts, and paints, at its own pace.
    template <typename Shows> std::optional<Plot> WaitForPicture(Shows shows) {
        std::optional<Plot> plot;
        // The last picture is what the caller checks, shown or not.
        (void)QTest::qWaitFor(
            [&] {
                plot = FindPlot(Screenshot());
                return plot.has_value() && shows(*plot);
            },
            15000);
        return plot;
    }

    QTemporaryDir m_runtime;
    QTemporaryDir m_home;
    QString m_weston;
    QString m_shooter;
    QProcess m_compositor;
    QProcess m_program;
};

bool ShowsAxes(const Plot& plot) {
    return plot.AxisShare(true) > 0.8 && plot.AxisShare(false) > 0.8;
}

TEST_P(CompositorPicture, AFreshStartShowsTheAxesAndAnOpenRequestTheCurve) {
    StartCurvix();
    const std::optional<Plot> axes = WaitForPicture(ShowsAxes);
    ASSERT_TRUE(axes.has_value()) << "no black plot on the screen";
    EXPECT_TRUE(ShowsAxes(*axes)) << axes->AxisShare(true) << " " << axes->AxisShare(false);
    // The view fills its area at full resolution.
    EXPECT_GT(axes->area.width(), 250 * GetParam().scale);

    const QString document = m_home.filePath(QStringLiteral("line.cvx"));
    {
        QFile file(document);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        // "x" over the default range with the default scene.
        const float numbers[8] = {-10, 10, 0, 0, 0, 10, 10, 0.1F};
        const std::int32_t length = 1;
        file.write(reinterpret_cast<const char*>(&length), sizeof length);
        file.write("x", 2);
        file.write(reinterpret_cast<const char*>(numbers), sizeof numbers);
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(RequestSocket()); }, 5000));
    ASSERT_TRUE(
        WhileProcessingEvents([&] { return SendOpenRequest(document, 5000, RequestSocket()); }));
    const std::optional<Plot> curve = WaitForPicture(
        [](const Plot& plot) { return plot.GreenNear(5, 5) && plot.GreenNear(-5, -5); });
    ASSERT_TRUE(curve.has_value());
    EXPECT_TRUE(curve->GreenNear(5, 5));
    EXPECT_TRUE(curve->GreenNear(-5, -5));
    EXPECT_FALSE(curve->GreenNear(5, -5));
}

INSTANTIATE_TEST_SUITE_P(Scales, CompositorPicture,
                         ::testing::Values(CompositorCase{"Scale1", 1},
                                           CompositorCase{"Scale2", 2}),
                         [](const ::testing::TestParamInfo<CompositorCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace curvix::test
