#include "DockSite.h"

#include <algorithm>
#include <cstdlib>

namespace curvix {

DWORD FirstDockSide(DWORD sides) {
    for (const DWORD side : kDockSides) {
        if (sides & side)
            return side;
    }
    return 0;
}

bool IsColumnSide(DWORD side) {
    return (side & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) != 0;
}

DockSites MakeDockSites(const CRect& area, const std::array<int, 4>& thickness) {
    const auto across = [](int value, int room) { return std::clamp(value, 0, std::max(room, 0)); };
    const int top = across(thickness[0], area.Height());
    const int bottom = across(thickness[1], area.Height() - top);
    const int middleTop = area.top + top;
    const int middleBottom = area.bottom - bottom;
    const int left = across(thickness[2], area.Width());
    const int right = across(thickness[3], area.Width() - left);
    DockSites sites;
    sites.area = area;
    sites.sites = {CRect{area.left, area.top, area.right, middleTop},
                   CRect{area.left, middleBottom, area.right, area.bottom},
                   CRect{area.left, middleTop, area.left + left, middleBottom},
                   CRect{area.right - right, middleTop, area.right, middleBottom}};
    return sites;
}

DWORD PickDockSide(CPoint pointer, const DockSites& sites, DWORD allowed, int reach) {
    const CRect& area = sites.area;
    const std::array<int, 4> distance{
        std::abs(pointer.y - area.top), std::abs(pointer.y - area.bottom),
        std::abs(pointer.x - area.left), std::abs(pointer.x - area.right)};
    DWORD picked = 0;
    int nearest = 0;
    for (size_t i = 0; i < kDockSides.size(); ++i) {
        const CRect& site = sites.sites[i];
        const bool holds = pointer.x >= site.left - reach && pointer.x < site.right + reach &&
                           pointer.y >= site.top - reach && pointer.y < site.bottom + reach;
        if ((allowed & kDockSides[i]) == 0 || !holds)
            continue;
        if (picked == 0 || distance[i] < nearest) {
            picked = kDockSides[i];
            nearest = distance[i];
        }
    }
    return picked;
}

CRect FloatingPlace(CPoint pointer, CPoint grab, CSize size) {
    const int x = std::clamp(grab.x, 0, std::max(size.cx - 1, 0));
    const int y = std::clamp(grab.y, 0, std::max(size.cy - 1, 0));
    const CPoint topLeft{pointer.x - x, pointer.y - y};
    return {topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy};
}

} // namespace curvix
