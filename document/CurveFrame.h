#pragma once

#include <string>

namespace curvix {

class ReportTally;

// What the document and the view need of the program's main frame, without
// knowing the window system: the formula bar's text, the status bar and the
// wait cursor. The main frame implements it besides CFrameWndBase.
class CCurveFrame {
public:
    virtual ~CCurveFrame() = default;

    virtual std::string GetFormulaText() = 0;
    // Puts a loaded document's formula into the formula bar, so that the
    // next Draw takes the document's own formula.
    virtual void SetFormulaText(const std::string& text) = 0;
    virtual void SetStatusText(std::string text) = 0;
    // What the last sampling run reported, shown at the formula field;
    // an empty tally clears what an earlier run showed.
    virtual void ShowReports(const ReportTally& reports) = 0;
    // The view's client size in the size pane.
    virtual void ShowViewSize(int cx, int cy) = 0;

    virtual void BeginWaitCursor() = 0;
    // Shows the wait cursor again, in case something changed it meanwhile.
    virtual void RestoreWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
};

// The main window as a CCurveFrame; null while there is none or when it is
// not one.
CCurveFrame* AfxGetCurveFrame();

} // namespace curvix
