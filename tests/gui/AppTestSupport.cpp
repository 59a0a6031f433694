#include "AppTestSupport.h"

#include "Resource.h"
#include "StatusBar.h"

#include <QApplication>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMimeData>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace curvix::test {

SettingsFolder::SettingsFolder() : m_previousConfigHome(qgetenv("XDG_CONFIG_HOME")) {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.path());
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path()));
}

SettingsFolder::~SettingsFolder() {
    qputenv("XDG_CONFIG_HOME", m_previousConfigHome);
}

QString SettingsFolder::ConfigFile() const {
    return m_dir.path() + QStringLiteral("/Quenmark/Curvix.conf");
}

RunningApp::RunningApp(std::vector<std::string> arguments) : app(std::make_unique<CCurvixApp>()) {
    app->SetCommandLine(std::move(arguments));
    started = app->InitInstance() != FALSE;
    if (!started || Frame() == nullptr)
        return;
    EXPECT_TRUE(QTest::qWaitForWindowExposed(Window(Frame())));
    Window(Frame())->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(Window(Frame())));
    Settle();
}

RunningApp::~RunningApp() = default;

CMainFrame* RunningApp::Frame() const {
    return dynamic_cast<CMainFrame*>(app->m_pMainWnd);
}

CCurvixView* RunningApp::View() const {
    return Frame() != nullptr ? dynamic_cast<CCurvixView*>(Frame()->GetActiveView()) : nullptr;
}

CCurvixDoc* RunningApp::Doc() const {
    return dynamic_cast<CCurvixDoc*>(app->GetDocTemplate()->GetDocument());
}

QLineEdit* RunningApp::Formula() const {
    auto* bar = dynamic_cast<CDialogBar*>(Frame()->GetControlBar(IDD_FORMULABAR));
    return bar != nullptr ? qobject_cast<QLineEdit*>(ItemOf(*bar, IDC_FORMULA)) : nullptr;
}

QString RunningApp::Status() const {
    auto* bar = dynamic_cast<CStatusBar*>(Frame()->GetControlBar(AFX_IDW_STATUS_BAR));
    return bar != nullptr ? Text(bar->GetPaneText(0)) : QString();
}

QString RunningApp::Caption() const {
    return Window(Frame())->windowTitle();
}

void RunningApp::EnterFormula(const QString& text) const {
    QLineEdit* edit = Formula();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Return);
    Settle();
}

void RunningApp::Settle() const {
    // A loop that waits, as the program's own does, so that the frame's
    // idle-time updates (the caption's modified mark) run too.
    QEventLoop loop;
    QTimer::singleShot(150, &loop, &QEventLoop::quit);
    loop.exec();
}

QImage RunningApp::Grab() const {
    Settle();
    return Widget(View())->screen()->grabWindow(Widget(View())->winId()).toImage();
}

bool RunningApp::GreenNear(const QImage& image, double x, double y) const {
    constexpr double kShown = 11.0; // default half-extent and its margin
    const int px = static_cast<int>((x + kShown) / (2 * kShown) * image.width());
    const int py = static_cast<int>((kShown - y) / (2 * kShown) * image.height());
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            if (!image.valid(px + dx, py + dy))
                continue;
            const QColor c = image.pixelColor(px + dx, py + dy);
            if (c.green() > 100 && c.red() < 60 && c.blue() < 60)
                return true;
        }
    }
    return false;
}

void AnswerFileDialog(const QString& path) {
    WhenModal([path](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        auto* name = dialog != nullptr
                         ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                         : nullptr;
        if (name == nullptr)
            return false;
        name->setText(path);
        QTest::keyClick(name, Qt::Key_Return);
        return true;
    });
}

void WhenModal(std::function<bool(QWidget*)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    auto* clock = new QElapsedTimer;
    clock->start();
    QObject::connect(timer, &QTimer::timeout, [timer, clock, answer] {
        QWidget* modal = QApplication::activeModalWidget();
        const bool taken = modal != nullptr && modal->isVisible() && answer(modal);
        const bool late = clock->elapsed() > 10000;
        if (late && !taken && modal != nullptr)
            modal->close();
        if (taken || late) {
            timer->stop();
            timer->deleteLater();
            delete clock;
        }
    });
    timer->start();
}

bool DropOn(CFrameWnd* frame, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = Window(frame)->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(Window(frame), &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    drop.setAccepted(false);
    QApplication::sendEvent(Window(frame), &drop);
    return drop.isAccepted();
}

} // namespace curvix::test
