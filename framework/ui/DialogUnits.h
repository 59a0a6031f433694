#pragma once

#include "Wnd.h"

namespace curvix {

// Dialog templates measure in dialog units: a quarter of the font's
// average character width across, an eighth of its height down.
struct DialogBaseUnits {
    int cx = 0;
    int cy = 0;
};

// A template rectangle in pixels, each edge rounded to the nearest pixel
// as the window system does.
CRect AfxMapDialogRect(int x, int y, int cx, int cy, DialogBaseUnits units);

} // namespace curvix
