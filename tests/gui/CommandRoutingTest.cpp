#include "TestFrame.h"
#include "WinApp.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace curvix::test {
namespace {

// A view that handles one command itself and logs it.
class RoutingView : public CPlainView {
public:
    explicit RoutingView(CommandLog& log) : m_log(log) {}

protected:
    void OnTool(UINT id) { m_log.Add("view", id); }
    CommandLog& m_log;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RoutingView, CPlainView)
ON_COMMAND_RANGE(ID_FILE_SAVE, ID_FILE_SAVE, &RoutingView::OnTool)
END_MESSAGE_MAP()

TEST(CommandRoute, ViewComesBeforeDocumentAndDocumentBeforeApplication) {
    CommandLog viewLog;
    OpenFrame open([&viewLog] { return new RoutingView(viewLog); });
    open.frame->SendCommand(ID_FILE_SAVE);    // view and document both handle it
    open.frame->SendCommand(ID_FILE_SAVE_AS); // only the document
    open.frame->SendCommand(ID_FILE_NEW);     // only the application
    const std::vector<std::pair<std::string, UINT>> view{{"view", ID_FILE_SAVE}};
    const std::vector<std::pair<std::string, UINT>> rest{{"doc", ID_FILE_SAVE_AS},
                                                         {"app", ID_FILE_NEW}};
    EXPECT_EQ(viewLog.entries, view);
    EXPECT_EQ(open.log.entries, rest);
}

TEST(CommandRoute, FrameHandlesTheBarTogglesBeforeTheApplication) {
    OpenFrame open;
    open.frame->SendCommand(ID_VIEW_STATUS_BAR);
    EXPECT_TRUE(Widget(open.frame->m_wndStatusBar)->isHidden());
    EXPECT_TRUE(open.log.entries.empty());
}

TEST(CommandRoute, CommandsWithoutHandlerDoNothing) {
    OpenFrame open;
    for (UINT id :
         {ID_EDIT_COPY, ID_EDIT_CUT, ID_EDIT_PASTE, ID_EDIT_UNDO, ID_NEXT_PANE, ID_PREV_PANE,
          ID_SCENE_ANTIALIASING, ID_SCENE_TOOL1, IDC_SQRT, IDC_COS, IDC_SIN, IDC_TAN, 12345u})
        open.frame->SendCommand(id);
    EXPECT_TRUE(open.log.entries.empty());
    EXPECT_EQ(open.doc.draws, 0);
}

// A document whose update handler greys a command it also handles.
class GreyingDoc : public CDocument {
public:
    int runs = 0;
    bool enabled = false;

protected:
    void OnZoom() { ++runs; }
    void OnUpdateZoom(CCmdUI* pCmdUI) { pCmdUI->Enable(enabled); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(GreyingDoc, CCmdTarget)
ON_COMMAND(ID_SCENE_ZOOM_IN, &GreyingDoc::OnZoom)
ON_UPDATE_COMMAND_UI(ID_SCENE_ZOOM_IN, &GreyingDoc::OnUpdateZoom)
END_MESSAGE_MAP()

TEST(CommandRoute, UpdateHandlerDecidesAndADisabledCommandIsNotRun) {
    GreyingDoc doc;
    CView view;
    view.SetDocument(&doc);
    CCmdUI state;
    state.m_nID = ID_SCENE_ZOOM_IN;
    state.DoUpdate(&view, true);
    EXPECT_FALSE(state.m_bEnabled);

    TestFrame frame;
    CCreateContext context;
    context.m_pNewViewClass = [] { return new CPlainView; };
    context.m_pCurrentDoc = &doc;
    ASSERT_TRUE(frame.LoadFrame(IDR_MAINFRAME, &context));
    frame.SendCommand(ID_SCENE_ZOOM_IN);
    EXPECT_EQ(doc.runs, 0);
    doc.enabled = true;
    frame.SendCommand(ID_SCENE_ZOOM_IN);
    EXPECT_EQ(doc.runs, 1);
}

TEST(CommandRoute, NoViewMeansNoDocumentOnTheRoute) {
    CommandLog log;
    TestDoc doc(log);
    TestFrame frame;
    ASSERT_TRUE(frame.LoadFrame(IDR_MAINFRAME, nullptr));
    EXPECT_EQ(frame.GetActiveView(), nullptr);
    frame.SendCommand(IDC_DRAW);
    EXPECT_TRUE(log.entries.empty());
}

TEST(FormulaBar, DrawButtonAndEnterReachTheDocumentThroughTheRoute) {
    OpenFrame open;
    QPushButton* draw = open.Button(IDC_DRAW);
    ASSERT_NE(draw, nullptr);
    EXPECT_TRUE(draw->isEnabled());
    QTest::mouseClick(draw, Qt::LeftButton);
    EXPECT_EQ(open.doc.draws, 1);

    QLineEdit* formula = open.Formula();
    formula->setFocus();
    QTest::keyClicks(formula, "sin(x)");
    QTest::keyClick(formula, Qt::Key_Return);
    EXPECT_EQ(open.doc.draws, 2);
    QTest::keyClick(formula, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(open.doc.draws, 3);
    EXPECT_EQ(formula->text(), "sin(x)");
    EXPECT_EQ(open.frame->GetFormulaText(), "sin(x)");
}

TEST(FormulaBar, FunctionButtonsAreGreyedAndDoNothing) {
    OpenFrame open;
    for (UINT id : {IDC_SQRT, IDC_COS, IDC_SIN, IDC_TAN}) {
        QPushButton* button = open.Button(id);
        ASSERT_NE(button, nullptr);
        EXPECT_FALSE(button->isEnabled());
        QTest::mouseClick(button, Qt::LeftButton);
    }
    EXPECT_TRUE(open.log.entries.empty());
    // The edit field is never greyed, even though no command has its ID.
    EXPECT_TRUE(open.Formula()->isEnabled());
}

TEST(FormulaBar, DrawIsGreyedWhenNothingOnTheRouteHandlesIt) {
    TestFrame frame;
    CCreateContext context;
    context.m_pNewViewClass = [] { return new CPlainView; }; // a view without document
    ASSERT_TRUE(frame.LoadFrame(IDR_MAINFRAME, &context));
    frame.OnIdleUpdateCmdUI();
    auto* draw = qobject_cast<QPushButton*>(ItemOf(frame.m_wndFormulaBar, IDC_DRAW));
    ASSERT_NE(draw, nullptr);
    EXPECT_FALSE(draw->isEnabled());
}

TEST(FormulaBar, IdleTimeFollowsTheRouteAsItChanges) {
    OpenFrame open;
    QPushButton* draw = open.Button(IDC_DRAW);
    EXPECT_TRUE(draw->isEnabled());
    open.frame->GetActiveView()->SetDocument(nullptr);
    open.RunIdle();
    EXPECT_FALSE(draw->isEnabled());
    open.frame->GetActiveView()->SetDocument(&open.doc);
    open.RunIdle();
    EXPECT_TRUE(draw->isEnabled());
}

// The application holds its main window until the window goes; documents
// reach the same window through AfxGetMainWnd.
TEST(MainWindow, TheApplicationForgetsAFrameThatGoes) {
    CWinApp app;
    auto frame = std::make_unique<CFrameWnd>();
    app.m_pMainWnd = frame.get();
    EXPECT_EQ(AfxGetMainWnd(), static_cast<CFrameWndBase*>(frame.get()));
    frame.reset();
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
}

} // namespace
} // namespace curvix::test
