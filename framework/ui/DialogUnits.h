#pragma once

#include <QFont>
#include <QRect>

namespace curvix {

// Dialog templates measure in dialog units: a quarter of the font's
// average character width across, an eighth of its height down.
struct DialogBaseUnits {
    int cx = 0;
    int cy = 0;
};

// The template's font. Where the Windows faces are missing, the narrow
// DejaVu Sans Condensed takes their place: its dialog units (6 x 13 at
// 8 points) are those of the classic dialog font, so templates keep their
// proportions and fit their windows.
QFont AfxGetDialogFont(const char* faceName, int pointSize);
DialogBaseUnits AfxGetDialogBaseUnits(const QFont& font);
QRect AfxMapDialogRect(int x, int y, int cx, int cy, DialogBaseUnits units);

} // namespace curvix
