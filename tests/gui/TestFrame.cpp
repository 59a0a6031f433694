#include "TestFrame.h"

#include "Resource.h"

#include <QAction>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace curvix::test {

BEGIN_MESSAGE_MAP(TestDoc, CCmdTarget)
ON_COMMAND(IDC_DRAW, &TestDoc::OnDrawCurve)
ON_COMMAND_RANGE(ID_FILE_SAVE, ID_FILE_SAVE_AS, &TestDoc::OnFileCommand)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(TestApp, CCmdTarget)
ON_COMMAND_RANGE(ID_FILE_NEW, ID_FILE_OPEN, &TestApp::OnAppCommand)
ON_COMMAND_RANGE(ID_APP_ABOUT, ID_APP_EXIT, &TestApp::OnAppCommand)
END_MESSAGE_MAP()

OpenFrame::OpenFrame(std::function<CView*()> newView) : frame(std::make_unique<TestFrame>()) {
    AfxSetAppCmdTarget(&app);
    CCreateContext context;
    context.m_pNewViewClass = newView ? newView : [] { return new CPlainView; };
    context.m_pCurrentDoc = &doc;
    EXPECT_TRUE(frame->LoadFrame(IDR_MAINFRAME, &context));
    Window(frame)->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(Window(frame)));
    Window(frame)->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(Window(frame)));
    RunIdle();
}

OpenFrame::~OpenFrame() {
    frame.reset();
    AfxSetAppCmdTarget(nullptr);
}

QLineEdit* OpenFrame::Formula() const {
    return qobject_cast<QLineEdit*>(ItemOf(frame->m_wndFormulaBar, IDC_FORMULA));
}

QPushButton* OpenFrame::Button(UINT id) const {
    return qobject_cast<QPushButton*>(ItemOf(frame->m_wndFormulaBar, static_cast<int>(id)));
}

QMenu* OpenFrame::Menu(const char* title) const {
    for (QAction* action : Window(frame)->menuBar()->actions()) {
        if (action->text() == QLatin1String(title))
            return action->menu();
    }
    return nullptr;
}

QAction* OpenFrame::MenuItem(const char* menuTitle, UINT id) const {
    QMenu* menu = Menu(menuTitle);
    if (menu == nullptr)
        return nullptr;
    for (QAction* action : menu->actions()) {
        if (action->property("curvixCommand").toUInt() == id)
            return action;
    }
    return nullptr;
}

QMenu* OpenFrame::OpenMenu(const char* title) const {
    QMenu* menu = Menu(title);
    if (menu == nullptr)
        return nullptr;
    QMenuBar* bar = Window(frame)->menuBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    EXPECT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); }));
    QTest::keyClick(menu, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([menu] { return !menu->isVisible(); }));
    return menu;
}

void OpenFrame::RunIdle() const {
    QEventLoop loop;
    QTimer::singleShot(30, &loop, &QEventLoop::quit);
    loop.exec();
}

QString OpenFrame::MessagePane() const {
    return Text(frame->m_wndStatusBar.GetPaneText(0));
}

QString OpenFrame::SizePane() const {
    return Text(frame->m_wndStatusBar.GetPaneText(1));
}

} // namespace curvix::test
