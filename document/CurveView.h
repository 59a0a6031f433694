#pragma once

#include "ViewBase.h"

namespace curvix {

class CCurveFrame;

// What the Draw steps need of the active view: that it can sample the
// document's formula into its curve. The view window and window-free test
// views share one CViewBase through the virtual base.
class CCurveView : public virtual CViewBase {
public:
    virtual void ComputeCurve() = 0;
    // The frame the view lies in, also before it has become the main
    // window (a document named at start-up is loaded then); null for a view
    // without one.
    virtual CCurveFrame* GetCurveFrame() const { return nullptr; }
};

} // namespace curvix
