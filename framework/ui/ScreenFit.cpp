#include "ScreenFit.h"

#include <algorithm>

namespace curvix {
namespace {

// The start of a span of length size moved into [first, first + room):
// as little as it takes, its start first when it is the longer.
int MoveInto(int start, int size, int first, int room) {
    return std::max(first, std::min(start, first + room - size));
}

} // namespace

CRect FitFrameInto(const CRect& client, const CMargins& margins, const CRect& available,
                   const CSize& minimum) {
    const int acrossMargins = margins.left + margins.right;
    const int downMargins = margins.top + margins.bottom;
    const int width =
        std::max(std::min(client.Width(), available.Width() - acrossMargins), minimum.cx);
    const int height =
        std::max(std::min(client.Height(), available.Height() - downMargins), minimum.cy);
    const int left = MoveInto(client.left - margins.left, width + acrossMargins, available.left,
                              available.Width());
    const int top =
        MoveInto(client.top - margins.top, height + downMargins, available.top, available.Height());
    return {left + margins.left, top + margins.top, left + margins.left + width,
            top + margins.top + height};
}

} // namespace curvix
