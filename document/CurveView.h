#pragma once

#include "ViewBase.h"

namespace curvix {

// What the Draw steps need of the active view: that it can sample the
// document's formula into its curve.
class CCurveView : public CViewBase {
public:
    virtual void ComputeCurve() = 0;
};

} // namespace curvix
