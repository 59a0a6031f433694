#include "AcceleratorTable.h"

#include <QKeyEvent>

namespace curvix {

bool CAcceleratorTable::Load(UINT nID) {
    const AccelTableResource* accel = AfxFindResource(&ResourceTable::accelerators, nID);
    if (accel == nullptr)
        return false;
    m_entries = accel->entries;
    return true;
}

int CAcceleratorTable::QtKeyForVirtualKey(unsigned short vk) {
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
        return vk; // Qt's letter and digit keys use the same codes
    if (vk >= 0x70 && vk <= 0x87)
        return Qt::Key_F1 + (vk - 0x70);
    switch (vk) {
    case VK_BACK:
        return Qt::Key_Backspace;
    case VK_INSERT:
        return Qt::Key_Insert;
    case VK_DELETE:
        return Qt::Key_Delete;
    default:
        return 0;
    }
}

UINT CAcceleratorTable::Translate(const QKeyEvent& event) const {
    return Translate(QKeyCombination(event.modifiers(), static_cast<Qt::Key>(event.key())));
}

UINT CAcceleratorTable::Translate(QKeyCombination combination) const {
    const Qt::KeyboardModifiers mods = combination.keyboardModifiers();
    const bool shift = mods.testFlag(Qt::ShiftModifier);
    const bool ctrl = mods.testFlag(Qt::ControlModifier);
    const bool alt = mods.testFlag(Qt::AltModifier);
    int key = combination.key();
    if (key == Qt::Key_Backtab)
        key = Qt::Key_Tab;
    for (const AccelResource& entry : m_entries) {
        if ((entry.fVirt & FVIRTKEY) == 0)
            continue;
        if (QtKeyForVirtualKey(entry.key) != key)
            continue;
        if (((entry.fVirt & FSHIFT) != 0) == shift && ((entry.fVirt & FCONTROL) != 0) == ctrl &&
            ((entry.fVirt & FALT) != 0) == alt)
            return entry.cmd;
    }
    return 0;
}

} // namespace curvix
