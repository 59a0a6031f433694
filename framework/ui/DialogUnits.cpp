#include "DialogUnits.h"

namespace curvix {

CRect AfxMapDialogRect(int x, int y, int cx, int cy, DialogBaseUnits units) {
    auto across = [&](int v) { return (v * units.cx + 2) / 4; };
    auto down = [&](int v) { return (v * units.cy + 4) / 8; };
    return {across(x), down(y), across(x + cx), down(y + cy)};
}

} // namespace curvix
