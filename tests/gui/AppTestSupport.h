#pragma once

#include "CurvixApp.h"
#include "CurvixDoc.h"
#include "CurvixView.h"
#include "MainFrame.h"
#include "QtWindows.h"

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLineEdit;

namespace curvix::test {

// The real program, started as main() starts it, with its settings in a
// temporary folder.
struct RunningApp {
    explicit RunningApp(std::vector<std::string> arguments = {});
    ~RunningApp();

    CMainFrame* Frame() const;
    CCurvixView* View() const;
    CCurvixDoc* Doc() const;
    QLineEdit* Formula() const;
    QString Status() const;
    QString Caption() const;

    // Types text into the formula bar and presses Enter there.
    void EnterFormula(const QString& text) const;
    // Lets queued paints and updates run, and the idle-time updates.
    void Settle() const;
    // The view's window as the X server shows it.
    QImage Grab() const;
    // Whether the drawing colour is within 2 pixels of the plot point
    // (x, y) under the default projection.
    bool GreenNear(const QImage& image, double x, double y) const;

    std::unique_ptr<CCurvixApp> app;
    bool started = false;
};

// Where QSettings keeps the settings while a test runs; also the XDG
// configuration folder, which holds mimeapps.list.
class SettingsFolder {
public:
    SettingsFolder();
    ~SettingsFolder();
    SettingsFolder(const SettingsFolder&) = delete;
    SettingsFolder& operator=(const SettingsFolder&) = delete;
    QString ConfigFile() const;
    QString Path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QByteArray m_previousConfigHome;
};

// Offers every modal window (message box, file dialog) that shows to
// answer until it takes one (returns true). A modal window nobody takes
// within ten seconds is closed, so that a failing test does not hang.
void WhenModal(std::function<bool(QWidget*)> answer);

// Types path into the next file dialog's name field and presses Enter.
void AnswerFileDialog(const QString& path);

// Sends a drag over the frame and, when the frame takes it, the drop.
bool DropOn(CFrameWnd* frame, const QList<QUrl>& urls);

// Answers every message box that shows while it lives, keeping their
// texts: with the given button where the box has it (Yes, No or Cancel for
// the question to save), otherwise with OK.
class MessageBoxes {
public:
    explicit MessageBoxes(QMessageBox::StandardButton answer = QMessageBox::Ok) {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, [this, answer] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible())
                return;
            texts << box->text();
            if (QAbstractButton* button = box->button(answer))
                button->click();
            else
                box->accept();
        });
        m_timer.start();
    }

    QStringList texts;

private:
    QTimer m_timer;
};

} // namespace curvix::test
