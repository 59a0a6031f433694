// What must look the same on any display scale. ctest runs these at the
// display's own scale and again with QT_SCALE_FACTOR=2 (and under a Wayland
// compositor at output scale 2 where one can be started).

#include "AboutDlg.h"
#include "AppTestSupport.h"
#include "Resource.h"
#include "StatusBar.h"
#include "TestFrame.h"

#include <GL/gl.h>
#include <QDockWidget>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace curvix::test {
namespace {

// The view's pixels as the window system shows them, or where it cannot
// show them (Wayland) as the view's OpenGL context draws them.
QImage ViewPixels(const RunningApp& run) {
    QImage image = run.Grab();
    if (!image.isNull() || !run.View()->MakeCurrent())
        return image;
    const QSize size = run.View()->DeviceSize();
    image = QImage(size, QImage::Format_RGBA8888);
    run.View()->RenderScene();
    glReadPixels(0, 0, size.width(), size.height(), GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
    return image.mirrored();
}

QRect GreenExtent(const QImage& image) {
    QRect extent;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.green() > 100 && c.red() < 60 && c.blue() < 60)
                extent |= QRect(x, y, 1, 1);
        }
    }
    return extent;
}

TEST(DisplayScale, AxesSpanTheWholeViewInDevicePixels) {
    SettingsFolder settings;
    RunningApp run;
    ASSERT_TRUE(run.started);
    // The ratio the run is meant to have, where ctest says.
    const double ratio = qEnvironmentVariableIsSet("CURVIX_TEST_PIXEL_RATIO")
                             ? qEnvironmentVariable("CURVIX_TEST_PIXEL_RATIO").toDouble()
                             : run.View()->devicePixelRatio();
    EXPECT_DOUBLE_EQ(run.View()->devicePixelRatio(), ratio);
    // The grab sees only what lies on the screen, and at scale 2 a
    // 1280 x 1024 screen is shorter than the frame.
    const QRect screen = run.Frame()->screen()->availableGeometry();
    run.Frame()->move(screen.topLeft());
    run.Frame()->resize(run.Frame()->size().boundedTo(screen.size()));
    run.Settle();
    const QImage image = ViewPixels(run);
    const QSize device = run.View()->size() * ratio;
    ASSERT_EQ(image.size(), device);
    auto* status = dynamic_cast<CStatusBar*>(run.Frame()->GetControlBar(AFX_IDW_STATUS_BAR));
    EXPECT_EQ(status->GetPaneText(1).trimmed(),
              QStringLiteral("%1x%2").arg(device.width()).arg(device.height()));

    // In the box of +-11 the axes run from -10 to the arrow tips at 10.1.
    const double w = device.width();
    const double h = device.height();
    const QRect green = GreenExtent(image);
    EXPECT_NEAR(green.left(), w * 1 / 22, 3);
    EXPECT_NEAR(green.right(), w * 21.1 / 22, 3);
    EXPECT_NEAR(green.top(), h * 0.9 / 22, 3);
    EXPECT_NEAR(green.bottom(), h * 21 / 22, 3);
    for (double at : {0.25, 0.75}) {
        EXPECT_TRUE(run.GreenNear(image, 0, at * 20 - 10)) << at; // y axis
        EXPECT_TRUE(run.GreenNear(image, at * 20 - 10, 0)) << at; // x axis
    }
}

TEST(DisplayScale, AboutBoxTextsAreWhole) {
    CAboutDlg about;
    int checked = 0;
    WhenModal([&](QWidget* modal) {
        for (QLabel* label : modal->findChildren<QLabel*>()) {
            if (label->text().isEmpty())
                continue;
            const QFontMetrics metrics(label->font());
            EXPECT_LE(metrics.horizontalAdvance(label->text()), label->contentsRect().width())
                << label->text().toStdString();
            EXPECT_LE(metrics.height(), label->contentsRect().height());
            ++checked;
        }
        for (QPushButton* button : modal->findChildren<QPushButton*>()) {
            EXPECT_LE(button->sizeHint().width(), button->width() + 20);
            EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), button->width());
        }
        modal->close();
        return true;
    });
    about.DoModal();
    EXPECT_EQ(checked, 2);
}

// Every button and separator inside the window, none behind an overflow
// arrow, and the caption whole.
void ExpectWholeFloatingBar(CToolBar& bar, const char* caption, int buttons) {
    QDockWidget* dock = bar.GetDockWidget();
    EXPECT_TRUE(dock->isWindow());
    EXPECT_EQ(dock->windowTitle(), caption);
    EXPECT_GE(bar.GetCaptionRoom(), dock->fontMetrics().horizontalAdvance(caption));
    int shown = 0;
    for (QAction* action : bar.GetToolBarCtrl()->actions()) {
        QWidget* item = bar.GetToolBarCtrl()->widgetForAction(action);
        ASSERT_NE(item, nullptr);
        EXPECT_TRUE(item->isVisible());
        EXPECT_TRUE(dock->rect().contains(QRect(item->mapTo(dock, QPoint()), item->size())));
        shown += qobject_cast<QToolButton*>(item) != nullptr ? 1 : 0;
    }
    EXPECT_EQ(shown, buttons);
    const auto* more = bar.GetToolBarCtrl()->findChild<QToolButton*>("qt_toolbar_ext_button");
    EXPECT_TRUE(more == nullptr || !more->isVisible());
    // Sized to its contents: no long empty strip.
    EXPECT_LE(dock->width(), bar.GetToolBarCtrl()->sizeHint().width() + 60);
}

TEST(DisplayScale, FloatingToolbarsAreWholeAndDockBackWhereTheyWere) {
    OpenFrame open;
    struct Case {
        CToolBar* bar;
        const char* caption;
        int buttons;
        Qt::DockWidgetArea area;
    };
    for (const Case& c : {Case{&open.frame->m_wndSceneBar, "Scene", 7, Qt::LeftDockWidgetArea},
                          Case{&open.frame->m_wndFileBar, "File", 5, Qt::TopDockWidgetArea}}) {
        SCOPED_TRACE(c.caption);
        QDockWidget* dock = c.bar->GetDockWidget();
        const QRect view = open.frame->GetActiveView()->geometry();
        const Qt::Orientation orientation = c.bar->GetToolBarCtrl()->orientation();
        dock->setFloating(true);
        open.RunIdle();
        ExpectWholeFloatingBar(*c.bar, c.caption, c.buttons);

        dock->setFloating(false);
        open.RunIdle();
        EXPECT_EQ(open.frame->dockWidgetArea(dock), c.area);
        EXPECT_EQ(c.bar->GetToolBarCtrl()->orientation(), orientation);
        EXPECT_EQ(open.frame->GetActiveView()->geometry(), view);
    }
}

TEST(DisplayScale, ClosingTheFloatingSceneToolbarDocksItBack) {
    OpenFrame open;
    QDockWidget* scene = open.frame->m_wndSceneBar.GetDockWidget();
    EXPECT_FALSE(scene->features().testFlag(QDockWidget::DockWidgetClosable));
    EXPECT_TRUE(open.frame->m_wndFileBar.GetDockWidget()->features().testFlag(
        QDockWidget::DockWidgetClosable)); // View > Toolbar shows it again
    scene->setFloating(true);
    open.RunIdle();
    scene->close();
    open.RunIdle();
    EXPECT_TRUE(scene->isVisible());
    EXPECT_FALSE(scene->isFloating());
    EXPECT_EQ(open.frame->dockWidgetArea(scene), Qt::LeftDockWidgetArea);
}

} // namespace
} // namespace curvix::test
