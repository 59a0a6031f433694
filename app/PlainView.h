#pragma once

#include "View.h"

namespace curvix {

// A view that only shows the plot's black background; it stands in until
// the OpenGL view takes its place.
class CPlainView : public CView {
public:
    CPlainView();
};

} // namespace curvix
