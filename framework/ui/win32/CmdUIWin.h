#pragma once

#include "CmdTarget.h"
#include "Win32Api.h"

namespace curvix {

// Command state for the menu item at nIndex of menu.
class CMenuCmdUI : public CCmdUI {
public:
    CMenuCmdUI(HMENU menu, UINT nIndex, UINT nID);
    void Enable(bool bOn = true) override;
    void SetCheck(int nCheck = 1) override;
    // The item's own text, then items of their own after it for the others;
    // rebuilt only when the texts have changed. The items send their
    // commands to the menu's window, which routes them.
    void SetMenuItems(const std::vector<std::string>& texts,
                      const std::function<void(UINT)>& sendCommand) override;

private:
    HMENU m_menu;
    UINT m_nIndex;
};

// Command state for button nIndex of a toolbar control.
class CToolButtonCmdUI : public CCmdUI {
public:
    CToolButtonCmdUI(::HWND toolBar, int nIndex, UINT nID);
    void Enable(bool bOn = true) override;

private:
    ::HWND m_toolBar;
    int m_nIndex;
};

// Command state for a push button of a dialog bar.
class CButtonCmdUI : public CCmdUI {
public:
    CButtonCmdUI(::HWND button, UINT nID);
    void Enable(bool bOn = true) override;

private:
    ::HWND m_button;
};

// A menu item's text as UTF-8; empty for a separator.
std::string AfxGetMenuItemText(HMENU menu, UINT nIndex);

} // namespace curvix
