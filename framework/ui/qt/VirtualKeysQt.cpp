#include "VirtualKeysQt.h"

#include "AcceleratorTable.h"

#include <QKeyEvent>

namespace curvix {

UINT AfxVirtualKeyForQtKey(int key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return static_cast<UINT>(key); // Qt's letter and digit keys use the same codes
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 0x70 + static_cast<UINT>(key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Insert:
        return VK_INSERT;
    case Qt::Key_Delete:
        return VK_DELETE;
    default:
        return 0;
    }
}

UINT AfxKeyModifiersForQt(Qt::KeyboardModifiers modifiers) {
    UINT result = 0;
    if (modifiers.testFlag(Qt::ShiftModifier))
        result |= FSHIFT;
    if (modifiers.testFlag(Qt::ControlModifier))
        result |= FCONTROL;
    if (modifiers.testFlag(Qt::AltModifier))
        result |= FALT;
    return result;
}

UINT AfxTranslateKey(const CAcceleratorTable& table, QKeyCombination key) {
    return table.Translate(AfxVirtualKeyForQtKey(key.key()),
                           AfxKeyModifiersForQt(key.keyboardModifiers()));
}

UINT AfxTranslateKey(const CAcceleratorTable& table, const QKeyEvent& event) {
    return AfxTranslateKey(table,
                           QKeyCombination(event.modifiers(), static_cast<Qt::Key>(event.key())));
}

} // namespace curvix
