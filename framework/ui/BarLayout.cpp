#include "BarLayout.h"

#include "AfxRes.h"

#include <algorithm>

namespace curvix {

namespace {

bool IsRow(DWORD side) {
    return (side & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
}

} // namespace

FrameLayout LayOutBars(const CRect& client, const std::vector<BarPlace>& bars) {
    FrameLayout layout;
    CRect left = client;
    for (const BarPlace& bar : bars) {
        if (!bar.visible) {
            layout.bars.emplace_back();
            continue;
        }
        CRect place = left;
        if (bar.side & CBRS_ALIGN_TOP) {
            place.bottom = std::min(left.bottom, left.top + bar.thickness);
            left.top = place.bottom;
        } else if (bar.side & CBRS_ALIGN_BOTTOM) {
            place.top = std::max(left.top, left.bottom - bar.thickness);
            left.bottom = place.top;
        } else if (bar.side & CBRS_ALIGN_LEFT) {
            place.right = std::min(left.right, left.left + bar.thickness);
            left.left = place.right;
        } else if (bar.side & CBRS_ALIGN_RIGHT) {
            place.left = std::max(left.left, left.right - bar.thickness);
            left.right = place.left;
        } else {
            place = {};
        }
        layout.bars.push_back(place);
    }
    layout.view = left;
    return layout;
}

CSize MinimumClientSize(const std::vector<BarPlace>& bars) {
    // Walking back from the view: each bar needs the room of those inside
    // it plus its own thickness across, and its whole length along.
    CSize inside{1, 1};
    for (auto bar = bars.rbegin(); bar != bars.rend(); ++bar) {
        if (!bar->visible || (bar->side & CBRS_ALIGN_ANY) == 0)
            continue;
        if (IsRow(bar->side)) {
            inside.cx = std::max(inside.cx, bar->whole.cx);
            inside.cy += bar->thickness;
        } else {
            inside.cy = std::max(inside.cy, bar->whole.cy);
            inside.cx += bar->thickness;
        }
    }
    return inside;
}

} // namespace curvix
