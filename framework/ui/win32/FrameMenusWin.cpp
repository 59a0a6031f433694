#include "CmdUIWin.h"
#include "FrameWndWin.h"
#include "WndWin.h"

// The frame's menu bar, from the menu resource: each item sends its
// command through the frame's window, shows its prompt while highlighted,
// and gets its state when its menu opens.

namespace curvix {

namespace {

// A menu text as read aloud: without its key hint and its mnemonic "&".
std::string PlainText(const std::string& text) {
    std::string plain;
    for (size_t i = 0; i < text.size() && text[i] != '\t'; ++i) {
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&')
                plain += text[++i];
            continue;
        }
        plain += text[i];
    }
    return plain;
}

} // namespace

void CFrameWnd::LoadMenu(UINT nIDResource) {
    ::HWND window = AfxWin32Hwnd(m_hWnd);
    HMENU menu = LoadMenuW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(nIDResource));
    if (window == nullptr || menu == nullptr)
        return;
    HMENU old = GetMenu(window);
    SetMenu(window, menu);
    if (old != nullptr)
        DestroyMenu(old);
}

void AfxUpdateMenuCmdUI(CFrameWnd* pFrame, HMENU menu) {
    // The count is read again at every item: a list (the recent files)
    // grows and shrinks as it is updated.
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        const UINT id = GetMenuItemID(menu, i);
        // Separators have ID 0, popups 0xFFFFFFFF.
        if (id == 0 || id == 0xFFFFFFFF)
            continue;
        CMenuCmdUI state(menu, static_cast<UINT>(i), id);
        state.DoUpdate(pFrame, true);
    }
}

std::string CFrameWnd::GetMenuItemName(UINT nID) const {
    HMENU bar = GetMenu(AfxWin32Hwnd(m_hWnd));
    const int popups = bar != nullptr ? GetMenuItemCount(bar) : 0;
    for (int p = 0; p < popups; ++p) {
        HMENU popup = GetSubMenu(bar, p);
        const int count = popup != nullptr ? GetMenuItemCount(popup) : 0;
        for (int i = 0; i < count; ++i) {
            if (GetMenuItemID(popup, i) == nID)
                return PlainText(AfxGetMenuItemText(popup, static_cast<UINT>(i)));
        }
    }
    return {};
}

} // namespace curvix
