#pragma once

#include "AfxRes.h"
#include "Wnd.h"

#include <array>

namespace curvix {

// The frame's dock sites, in the order they are made and searched: top,
// bottom, left, right. Each is named by its CBRS_ALIGN_ flag.
inline constexpr std::array<DWORD, 4> kDockSides{CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT,
                                                 CBRS_ALIGN_RIGHT};

// The first of the sides in that order; 0 when sides names none.
DWORD FirstDockSide(DWORD sides);

// Whether a bar docked at side is a column (left, right) rather than a row.
bool IsColumnSide(DWORD side);

// Where the dock sites lie while a bar is dragged, in one coordinate
// system (the screen's): the area the four sites share (the frame's
// inside less the bars along its edges), and the rectangle each site's
// bars take now, in the order of kDockSides; an empty site is a line
// along its edge of area.
struct DockSites {
    CRect area;
    std::array<CRect, 4> sites;
};

// The dock sites of area, each as thick as the given thickness (0 for an
// empty site) from its edge, the left and right ones between the top and
// bottom ones.
DockSites MakeDockSites(const CRect& area, const std::array<int, 4>& thickness);

// The side a bar dragged with the pointer at pointer goes to: of the sides
// allowed, one whose site (grown by reach on every side) holds the
// pointer, the one whose frame edge is nearest; in the order of kDockSides
// among equals. 0 when none holds it: the bar floats.
DWORD PickDockSide(CPoint pointer, const DockSites& sites, DWORD allowed, int reach);

// The window rectangle of a floating bar of size dropped with the pointer
// at pointer, grabbed at grab inside the rectangle it was dragged from: it
// keeps the grab offset, moved inside the new size so that the pointer
// stays on it.
CRect FloatingPlace(CPoint pointer, CPoint grab, CSize size);

} // namespace curvix
