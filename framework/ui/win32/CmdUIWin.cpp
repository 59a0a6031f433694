#include "CmdUIWin.h"

#include "WinSystem.h"

namespace curvix {

std::string AfxGetMenuItemText(HMENU menu, UINT nIndex) {
    wchar_t text[512] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = text;
    info.cch = static_cast<UINT>(std::size(text));
    if (!GetMenuItemInfoW(menu, nIndex, 1, &info))
        return {};
    return Utf8FromWide(text);
}

CMenuCmdUI::CMenuCmdUI(HMENU menu, UINT nIndex, UINT nID) : m_menu(menu), m_nIndex(nIndex) {
    m_nID = nID;
}

void CMenuCmdUI::Enable(bool bOn) {
    CCmdUI::Enable(bOn);
    EnableMenuItem(m_menu, m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : MF_GRAYED));
}

void CMenuCmdUI::SetCheck(int nCheck) {
    CheckMenuItem(m_menu, m_nIndex, MF_BYPOSITION | (nCheck != 0 ? MF_CHECKED : MF_UNCHECKED));
}

void CMenuCmdUI::SetMenuItems(const std::vector<std::string>& texts,
                              const std::function<void(UINT)>& /*sendCommand*/) {
    if (texts.empty())
        return;
    // The items that follow this one and belong to its list.
    UINT count = 1;
    const int total = GetMenuItemCount(m_menu);
    while (static_cast<int>(m_nIndex + count) < total) {
        const UINT id = GetMenuItemID(m_menu, static_cast<int>(m_nIndex + count));
        if (id <= m_nID || id >= m_nID + kMaxMenuListItems)
            break;
        ++count;
    }
    bool same = count == texts.size();
    for (UINT i = 0; same && i < count; ++i)
        same = AfxGetMenuItemText(m_menu, m_nIndex + i) == texts[i];
    if (same)
        return;
    for (UINT i = 1; i < count; ++i)
        DeleteMenu(m_menu, m_nIndex + 1, MF_BYPOSITION);
    const std::wstring first = WideFromUtf8(texts.front());
    ModifyMenuW(m_menu, m_nIndex, MF_BYPOSITION | MF_STRING, m_nID, first.c_str());
    for (size_t i = 1; i < texts.size() && i < kMaxMenuListItems; ++i) {
        const std::wstring text = WideFromUtf8(texts[i]);
        InsertMenuW(m_menu, m_nIndex + static_cast<UINT>(i), MF_BYPOSITION | MF_STRING,
                    m_nID + static_cast<UINT>(i), text.c_str());
    }
}

CToolButtonCmdUI::CToolButtonCmdUI(::HWND toolBar, int nIndex, UINT nID)
    : m_toolBar(toolBar), m_nIndex(nIndex) {
    m_nID = nID;
}

void CToolButtonCmdUI::Enable(bool bOn) {
    CCmdUI::Enable(bOn);
    TBBUTTONINFOW info{};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_BYINDEX | TBIF_STATE;
    if (SendMessageW(m_toolBar, TB_GETBUTTONINFOW, static_cast<WPARAM>(m_nIndex),
                     reinterpret_cast<LPARAM>(&info)) < 0)
        return;
    const BYTE state = bOn ? static_cast<BYTE>(info.fsState | TBSTATE_ENABLED)
                           : static_cast<BYTE>(info.fsState & ~TBSTATE_ENABLED);
    if (state == info.fsState)
        return;
    info.fsState = state;
    SendMessageW(m_toolBar, TB_SETBUTTONINFOW, static_cast<WPARAM>(m_nIndex),
                 reinterpret_cast<LPARAM>(&info));
}

CButtonCmdUI::CButtonCmdUI(::HWND button, UINT nID) : m_button(button) {
    m_nID = nID;
}

void CButtonCmdUI::Enable(bool bOn) {
    CCmdUI::Enable(bOn);
    if ((IsWindowEnabled(m_button) != 0) != bOn)
        EnableWindow(m_button, bOn ? 1 : 0);
}

} // namespace curvix
