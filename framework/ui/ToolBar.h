#pragma once

#include "ControlBar.h"

#include <memory>
#include <string>
#include <vector>

namespace curvix {

// A toolbar: a row of image buttons, each sending a command. Docked it
// shows a gripper to drag it by; it docks on any side it is allowed to and
// floats in a small window captioned with its title.
class CToolBar : public CControlBar {
public:
    CToolBar();
    ~CToolBar() override;

    // dwCtrlStyle and rcBorders are not read: the buttons are always flat
    // (TBSTYLE_FLAT) and the dock window draws the borders.
    BOOL CreateEx(CBarSite* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders,
                  UINT nID);
    // Buttons from toolbar resource nIDResource, images from the bitmap
    // of the same ID; FALSE when either is missing or too small.
    BOOL LoadToolBar(UINT nIDResource);

    void SetWindowText(const std::string& text) override;
    void OnUpdateCmdUI(CCmdTarget* pTarget, bool bDisableIfNoHandler) override;
    void OnDpiChanged(UINT dpi) override;
    // Every button in a row or column, as the bar is docked.
    CSize GetWholeSize() const override;
    using CControlBar::DockAt;
    void DockAt(DWORD side) override;
    // The side of the dock site it lies in; 0 while floating.
    DWORD GetDockedSide() const override;
    bool IsInDockSite() const override { return GetDockedSide() != 0; }
    bool IsFloating() const override;
    void FloatAt(CPoint topLeft) override;

    // The name screen readers give button nIndex. Each button starts with
    // its tooltip text, or else with its command's menu text.
    void SetButtonName(int nIndex, const std::string& name);

    int GetCount() const { return static_cast<int>(m_itemIDs.size()); }
    UINT GetItemID(int nIndex) const;
    // The window of button nIndex; null for a separator.
    HWND GetItemButton(int nIndex) const;
    // The row of buttons inside the dock window (GetSafeHwnd).
    HWND GetToolBarCtrl() const;
    // Floating, the width the caption's text has in the title bar; 0 docked.
    int GetCaptionRoom() const;

protected:
    void OnDockingChanged() override;
    // The side a bar of this style docks at first: its alignment's, the
    // top when it names none.
    static DWORD FirstSide(DWORD dwStyle);

private:
    struct Impl;
    std::unique_ptr<Impl> m_pImpl;
    std::vector<UINT> m_itemIDs; // 0 for separators
};

} // namespace curvix
