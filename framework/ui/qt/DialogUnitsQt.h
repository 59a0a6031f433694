#pragma once

#include "DialogUnits.h"
#include "ResourceTable.h"

#include <QFont>
#include <QString>
#include <functional>

class QWidget;

namespace curvix {

// The template's font. Where the Windows faces are missing, the narrow
// DejaVu Sans Condensed takes their place: its dialog units (6 x 13 at
// 8 points) are those of the classic dialog font, so templates keep their
// proportions and fit their windows.
QFont AfxGetDialogFont(const char* faceName, int pointSize);
DialogBaseUnits AfxGetDialogBaseUnits(const QFont& font);

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
