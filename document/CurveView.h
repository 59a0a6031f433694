#pragma once

#include "View.h"

namespace curvix {

// What the Draw steps need of the active view: that it can sample the
// document's formula into its curve.
class CCurveView : public CView {
public:
    virtual void ComputeCurve() = 0;
};

} // namespace curvix
