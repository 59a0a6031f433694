#pragma once

#include "CurveFrame.h"
#include "DialogBar.h"
#include "FrameWnd.h"
#include "StatusBar.h"
#include "ToolBar.h"

#include <string>

namespace curvix {

// The program's one top-level window: the File and Scene toolbars, the
// status bar with its message and view-size panes, and the formula bar.
class CMainFrame : public CFrameWnd, public CCurveFrame {
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // The formula field's whole text as 8-bit characters; empty when the
    // formula bar does not exist.
    std::string GetFormulaText() override;
    // Replaces the formula field's text with these 8-bit characters, the
    // caret at its start.
    void SetFormulaText(const std::string& text) override;
    // Marks the formula field with the reports (a red frame, the list as
    // tooltip and accessible description), or clears the mark when there
    // are none.
    void ShowReports(const ReportTally& reports) override;
    // Shows text in the message pane at once.
    void SetStatusText(std::string text) override;
    // Writes the view's client size into the size pane.
    void ShowViewSize(int cx, int cy) override;

    void BeginWaitCursor() override;
    void RestoreWaitCursor() override;
    void EndWaitCursor() override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);

protected:
    // Typing right after the start goes into the formula field.
    void FocusFormulaField();

    CStatusBar m_wndStatusBar;
    CToolBar m_wndFileBar;
    CToolBar m_wndSceneBar;
    CDialogBar m_wndFormulaBar;

    DECLARE_MESSAGE_MAP()
};

} // namespace curvix
