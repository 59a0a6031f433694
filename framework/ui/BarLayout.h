#pragma once

#include "Wnd.h"

#include <vector>

namespace curvix {

// One bar as the frame lays it out: the side it lies on (a CBRS_ALIGN_
// flag), how thick it is across that side, and the size it needs to show
// whole.
struct BarPlace {
    DWORD side = 0;
    int thickness = 0;
    CSize whole;
    bool visible = true;
};

struct FrameLayout {
    std::vector<CRect> bars; // in the order given; empty for a hidden bar
    CRect view;              // what the bars leave
};

// Lays the bars out inside client, each in turn taking its side's edge of
// what the bars before it left: a top or bottom bar across the whole
// width left, a left or right bar down the whole height left. The frame
// lists its own bars first (status bar, then the formula bar), then the
// dock sites' bars, top, bottom, left, right.
FrameLayout LayOutBars(const CRect& client, const std::vector<BarPlace>& bars);

// The smallest client area in which every visible bar shows whole and
// the view keeps at least a pixel.
CSize MinimumClientSize(const std::vector<BarPlace>& bars);

} // namespace curvix
