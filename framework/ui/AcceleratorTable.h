#pragma once

#include "ResourceTable.h"

#include <QKeyCombination>

class QKeyEvent;

namespace curvix {

// A frame's accelerator table: turns a key press into a command ID.
// Entries match the key and the exact state of Shift, Ctrl and Alt.
class CAcceleratorTable {
public:
    // False when the resource table has no accelerator table nID.
    bool Load(UINT nID);
    // The command of the first matching entry, or 0.
    UINT Translate(const QKeyEvent& event) const;
    UINT Translate(QKeyCombination key) const;

    // Qt's key code for a virtual-key code of the tables; 0 when unknown.
    static int QtKeyForVirtualKey(unsigned short vk);

private:
    std::vector<AccelResource> m_entries;
};

} // namespace curvix
