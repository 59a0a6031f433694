#pragma once

#include "ViewBase.h"

namespace curvix {

class CCurveFrame;
class ReportTally;

// What the Draw steps need of the active view: that it can sample the
// document's formula into its curve. The view window and window-free test
// views share one CViewBase through the virtual base.
class CCurveView : public virtual CViewBase {
public:
    virtual void ComputeCurve() = 0;
    // The same, also counting in reports every line the run reports; the
    // lines still go where they always go.
    virtual void ComputeCurve(ReportTally& reports) = 0;
    // The frame the view lies in, also before it has become the main
    // window (a document named at start-up is loaded then); null for a view
    // without one.
    virtual CCurveFrame* GetCurveFrame() const { return nullptr; }
};

} // namespace curvix
