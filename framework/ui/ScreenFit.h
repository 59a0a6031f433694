#pragma once

#include "Wnd.h"

namespace curvix {

// The window system's frame around a window's client area: the width of
// each side.
struct CMargins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Where a top-level window goes so that its whole frame (the client area
// client plus the window system's margins around it) lies inside the
// screen's available area: the client area is made smaller where the
// frame would not fit (never below minimum), then the frame is moved in.
// A frame that is still larger than the area keeps its top left edges in
// it, where the title bar and the menu are. Returns the client area.
CRect FitFrameInto(const CRect& client, const CMargins& margins, const CRect& available,
                   const CSize& minimum);

} // namespace curvix
