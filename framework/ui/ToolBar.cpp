#include "ToolBar.h"

namespace curvix {

UINT CToolBar::GetItemID(int nIndex) const {
    return nIndex >= 0 && nIndex < GetCount() ? m_itemIDs[static_cast<size_t>(nIndex)] : 0;
}

DWORD CToolBar::FirstSide(DWORD dwStyle) {
    for (const DWORD side : {CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT, CBRS_ALIGN_BOTTOM}) {
        if (dwStyle & side)
            return side;
    }
    return CBRS_ALIGN_TOP;
}

} // namespace curvix
