#include "AcceleratorTable.h"

namespace curvix {

bool CAcceleratorTable::Load(UINT nID) {
    const AccelTableResource* accel = AfxFindResource(&ResourceTable::accelerators, nID);
    if (accel == nullptr)
        return false;
    m_entries = accel->entries;
    return true;
}

UINT CAcceleratorTable::Translate(UINT vk, UINT modifiers) const {
    if (vk == 0)
        return 0;
    constexpr UINT kModifiers = FSHIFT | FCONTROL | FALT;
    for (const AccelResource& entry : m_entries) {
        if ((entry.fVirt & FVIRTKEY) != 0 && entry.key == vk &&
            (entry.fVirt & kModifiers) == (modifiers & kModifiers))
            return entry.cmd;
    }
    return 0;
}

} // namespace curvix
