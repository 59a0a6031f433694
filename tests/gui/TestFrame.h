#pragma once

#include "MainFrame.h"
#include "PlainView.h"
#include "QtWindows.h"
#include "Resource.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QLineEdit;
class QMenu;
class QPushButton;

namespace curvix::test {

// Who handled which command, in order.
struct CommandLog {
    std::vector<std::pair<std::string, UINT>> entries;
    void Add(const char* who, UINT id) { entries.emplace_back(who, id); }
};

// Stands in for the document: handles Save, Save As and Draw, as the
// program's document does.
class TestDoc : public CDocument {
public:
    explicit TestDoc(CommandLog& log) : m_log(log) {}
    int draws = 0;

protected:
    void OnDrawCurve() {
        ++draws;
        m_log.Add("doc", IDC_DRAW);
    }
    void OnFileCommand(UINT id) { m_log.Add("doc", id); }
    CommandLog& m_log;
    DECLARE_MESSAGE_MAP()
};

// Stands in for the application: New, Open, Exit and About.
class TestApp : public CCmdTarget {
public:
    explicit TestApp(CommandLog& log) : m_log(log) {}

protected:
    void OnAppCommand(UINT id) { m_log.Add("app", id); }
    CommandLog& m_log;
    DECLARE_MESSAGE_MAP()
};

// The main frame with its bars opened up for inspection.
class TestFrame : public CMainFrame {
public:
    using CMainFrame::m_wndFileBar;
    using CMainFrame::m_wndFormulaBar;
    using CMainFrame::m_wndSceneBar;
    using CMainFrame::m_wndStatusBar;
};

// A shown main frame with a view, a document and an application object
// on the command route, ready for input.
struct OpenFrame {
    explicit OpenFrame(std::function<CView*()> newView = {});
    ~OpenFrame();

    QLineEdit* Formula() const;
    QPushButton* Button(UINT id) const;
    QMenu* Menu(const char* title) const;
    QAction* MenuItem(const char* menuTitle, UINT id) const;
    // Opens a menu as the user does, so that its items are brought up to
    // date, and closes it again.
    QMenu* OpenMenu(const char* title) const;
    // Lets the event loop go idle, as between user actions.
    void RunIdle() const;
    QString MessagePane() const;
    QString SizePane() const;

    CommandLog log;
    TestDoc doc{log};
    TestApp app{log};
    std::unique_ptr<TestFrame> frame;
};

} // namespace curvix::test
