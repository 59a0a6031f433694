#pragma once

#include "View.h"

namespace curvix {

// A view that only shows the plot's black background, for frames under test
// that need no OpenGL.
class CPlainView : public CView {
public:
    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
};

} // namespace curvix
