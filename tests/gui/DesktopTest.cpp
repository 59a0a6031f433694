// Scaled displays (ctest runs these again at scale 2, X11 and Wayland) and
// screen readers.

#include "AppTestSupport.h"
#include "TestFrame.h"

#include <GL/gl.h>
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <gtest/gtest.h>

namespace curvix::test {
namespace {

TEST(DisplayScale, AxesSpanTheViewInDevicePixels) {
    SettingsFolder settings;
    RunningApp run;
    ASSERT_TRUE(run.started);
    CCurvixView* view = run.View();
    const double ratio = qEnvironmentVariable("CURVIX_TEST_PIXEL_RATIO", "1").toDouble();
    // A grab sees only the screen, which at scale 2 is shorter than the frame.
    Window(run.Frame())->move(0, 0);
    Window(run.Frame())
        ->resize(Window(run.Frame())
                     ->size()
                     .boundedTo(Widget(view)->screen()->availableGeometry().size()));
    QImage image = run.Grab();
    const QSize device = Widget(view)->size() * ratio;
    if (image.isNull() && view->MakeCurrent()) { // no grabs under Wayland: read back
        image = QImage(device, QImage::Format_RGBA8888);
        view->RenderScene();
        glReadPixels(0, 0, device.width(), device.height(), GL_RGBA, GL_UNSIGNED_BYTE,
                     image.bits());
        image.mirror();
    }
    ASSERT_EQ(image.size(), device);
    auto* status = dynamic_cast<CStatusBar*>(run.Frame()->GetControlBar(AFX_IDW_STATUS_BAR));
    EXPECT_EQ(Text(status->GetPaneText(1)).trimmed(),
              QString("%1x%2").arg(device.width()).arg(device.height()));
    // Both axes from end to end, in the box of +-11 that fills the view.
    for (const auto& [x, y] : {std::pair(-10, 0), {10, 0}, {0, -10}, {0, 10}, {-5, 0}, {0, 5}})
        EXPECT_TRUE(run.GreenNear(image, x, y)) << x << "," << y;
}

// 600 x 600 does not fit a screen of 512 logical pixels (1024 at scale 2):
// the first window is made to fit, with its status bar on the screen.
TEST(DisplayScale, TheFirstWindowFitsTheScreen) {
    SettingsFolder settings;
    RunningApp run;
    ASSERT_TRUE(run.started);
    CMainFrame* frame = run.Frame();
    const QRect available = Window(frame)->screen()->availableGeometry();
    EXPECT_LE(Window(frame)->frameGeometry().width(), available.width());
    EXPECT_LE(Window(frame)->frameGeometry().height(), available.height());
    if (available.height() >=
        600 + Window(frame)->frameGeometry().height() - Window(frame)->height()) {
        EXPECT_EQ(Window(frame)->size(), QSize(600, 600));
    }
    Window(frame)->move(available.topLeft());
    run.Settle();
    QWidget* status = Widget(*run.Frame()->GetControlBar(AFX_IDW_STATUS_BAR));
    const QRect onScreen(status->mapToGlobal(QPoint(0, 0)), status->size());
    EXPECT_TRUE(available.contains(onScreen)) << onScreen.y() << " " << available.bottom();
}

// Menus are greyed by the enable rule before they first open.
TEST(Accessibility, NamesAndTheEnableRuleFromTheStart) {
    OpenFrame open([] { return new CCurvixView; });
    TestFrame& frame = *open.frame;
    for (const auto& [object, name] : std::vector<std::pair<QObject*, const char*>>{
             {ButtonOf(frame.m_wndFileBar, 4), "Copy"},
             {ButtonOf(frame.m_wndSceneBar, 0), "Turn About X"},
             {ButtonOf(frame.m_wndSceneBar, 6), "Rotate Z Right"},
             {open.Formula(), "f(x)="},
             {open.Button(IDC_DRAW), "Draw!"},
             {Widget(frame.GetActiveView()), "Plot"},
             {PaneOf(frame.m_wndStatusBar, 1), "View Size"}})
        EXPECT_EQ(QAccessible::queryAccessibleInterface(object)->text(QAccessible::Name), name);
    const QList<UINT> enabled{ID_FILE_NEW,     ID_FILE_OPEN,       ID_FILE_SAVE, ID_FILE_SAVE_AS,
                              ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, ID_APP_EXIT,  ID_APP_ABOUT};
    for (QAction* top : Window(frame)->menuBar()->actions()) {
        QAccessibleInterface* menu = QAccessible::queryAccessibleInterface(top->menu());
        for (int i = 0; i < menu->childCount(); ++i) {
            const UINT id = top->menu()->actions()[i]->property("curvixCommand").toUInt();
            EXPECT_TRUE(id == 0 || menu->child(i)->state().disabled == !enabled.contains(id)) << id;
        }
    }
}

} // namespace
} // namespace curvix::test
