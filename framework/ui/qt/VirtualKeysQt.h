#pragma once

#include "CmdTarget.h"

#include <QKeyCombination>

class QKeyEvent;

namespace curvix {

// The virtual-key code of a Qt key, for the keys accelerator tables use
// (letters, digits, F1 to F24, Backspace, Insert, Delete); 0 for others.
UINT AfxVirtualKeyForQtKey(int key);
// FSHIFT, FCONTROL and FALT of Qt's modifiers.
UINT AfxKeyModifiersForQt(Qt::KeyboardModifiers modifiers);

// The command the accelerator table of the frame maps a key to, or 0.
class CAcceleratorTable;
UINT AfxTranslateKey(const CAcceleratorTable& table, QKeyCombination key);
UINT AfxTranslateKey(const CAcceleratorTable& table, const QKeyEvent& event);

} // namespace curvix
