#pragma once

#include "ResourceTable.h"

#include <vector>

namespace curvix {

// A frame's accelerator table: turns a key press into a command ID.
// Entries match the virtual-key code and the exact state of Shift, Ctrl
// and Alt.
class CAcceleratorTable {
public:
    // False when the resource table has no accelerator table nID.
    bool Load(UINT nID);
    // The command of the first entry for virtual key vk (0: a key without
    // a code) with exactly the modifiers FSHIFT, FCONTROL and FALT; 0 when
    // none matches.
    UINT Translate(UINT vk, UINT modifiers) const;

private:
    std::vector<AccelResource> m_entries;
};

} // namespace curvix
