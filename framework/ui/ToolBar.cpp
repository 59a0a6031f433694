#include "ToolBar.h"

namespace curvix {

UINT CToolBar::GetItemID(int nIndex) const {
    return nIndex >= 0 && nIndex < GetCount() ? m_itemIDs[static_cast<size_t>(nIndex)] : 0;
}

} // namespace curvix
