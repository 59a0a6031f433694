#pragma once

#include "ViewBase.h"

namespace curvix {

// What the Draw steps need of the active view: that it can sample the
// document's formula into its curve. The view window and window-free test
// views share one CViewBase through the virtual base.
class CCurveView : public virtual CViewBase {
public:
    virtual void ComputeCurve() = 0;
};

} // namespace curvix
