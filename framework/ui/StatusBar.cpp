#include "StatusBar.h"

namespace curvix {

int CStatusBar::CommandToIndex(UINT nID) const {
    for (size_t i = 0; i < m_panes.size(); ++i) {
        if (m_panes[i].nID == nID)
            return static_cast<int>(i);
    }
    return -1;
}

HWND CStatusBar::GetPaneWindow(int nIndex) const {
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[static_cast<size_t>(nIndex)].hWnd : nullptr;
}

UINT CStatusBar::GetItemID(int nIndex) const {
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[static_cast<size_t>(nIndex)].nID : 0;
}

void CStatusBar::SetWindowText(const std::string& text) {
    const int index = CommandToIndex(ID_SEPARATOR);
    if (index >= 0)
        SetPaneText(index, text, true);
}

} // namespace curvix
