#pragma once

#include "ResourceTable.h"

#include <QFont>
#include <QRect>
#include <QString>
#include <functional>

class QWidget;

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

// Makes the controls of a dialog template on parent, in template order, at
// their template positions: push buttons (the BS_DEFPUSHBUTTON one as the
// default), edit fields (framed with WS_BORDER), icons at their own size
// at the template's corner, and plain-text labels for the other statics.
// WS_TABSTOP controls take the keyboard focus, the others do not. Each
// control is named with DialogItemName; made is called for each one.
void AfxCreateDialogControls(const DialogResource& dialog, QWidget* parent, DialogBaseUnits units,
                             const std::function<void(const DialogItemResource&, QWidget*)>& made);

// The object name of the control for a template item with an ID.
inline QString DialogItemName(int nID) {
    return QStringLiteral("Item%1").arg(nID);
}

} // namespace curvix
