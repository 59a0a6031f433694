#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

namespace curvix {

// Where a top-level window goes so that its whole frame (the client area
// client plus the window system's margins around it) lies inside the
// screen's available area: the client area is made smaller where the
// frame would not fit (never below minimum), then the frame is moved in.
// A frame that is still larger than the area keeps its top left edges in
// it, where the title bar and the menu are. Returns the client area.
QRect FitFrameInto(const QRect& client, const QMargins& margins, const QRect& available,
                   const QSize& minimum);

} // namespace curvix
