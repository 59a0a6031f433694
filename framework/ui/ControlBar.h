#pragma once

#include "Wnd.h"

#include <string>
#include <type_traits>

namespace curvix {

class CControlBar;

// What a bar asks of the frame it lies in: the frame's command route, its
// menus' names for commands, its message pane and its list of bars.
class CBarSite {
public:
    virtual ~CBarSite() = default;
    // The frame's window, which the bar's window lies in.
    virtual HWND GetSiteHwnd() const = 0;
    // Sends a command along the frame's route (if enabled).
    virtual void SendCommand(UINT nID) = 0;
    // The route a bar's buttons are updated along.
    virtual CCmdTarget* GetCommandTarget() = 0;
    // The prompt of command nID in the message pane; 0 shows the idle text.
    virtual void ShowPrompt(UINT nID) = 0;
    // The text of the command's first menu item without its mnemonic "&"
    // and key hint; empty when no menu item has the command.
    virtual std::string GetMenuItemName(UINT nID) const = 0;
    // Whether the frame's accelerator table turns this key (a virtual-key
    // code and FSHIFT/FCONTROL/FALT) into a command.
    virtual bool IsAcceleratorKey(UINT vk, UINT modifiers) const = 0;
    // Whether a View command (Toolbar, Status Bar) can show the bar again
    // once it is hidden.
    virtual bool HasBarToggle(const CControlBar* pBar) const = 0;
    virtual int GetControlBarCount() const = 0;
    virtual void AddControlBar(CControlBar* pBar) = 0;
    virtual void RemoveControlBar(CControlBar* pBar) = 0;
};

// Base of the frame's bars. The object exists before and after its
// window; Create makes the window (a child of the frame's window) and
// registers the bar with its frame, the destructor destroys the window.
class CControlBar : public CWnd {
public:
    CControlBar() = default;
    ~CControlBar() override;

    UINT GetDlgCtrlID() const { return m_nID; }
    DWORD GetBarStyle() const { return m_dwStyle; }
    // Whether the bar is shown (not hidden by the user or the program).
    bool IsVisible() const { return IsWindowVisible(); }

    // The size the bar needs, docked, to show all of its contents.
    virtual CSize GetWholeSize() const;

    void EnableDocking(DWORD dwDockStyle);
    DWORD GetDockingStyle() const { return m_dwDockStyle; }
    // Places the bar in the frame's dock site of one side (CBRS_ALIGN_TOP,
    // _BOTTOM, _LEFT or _RIGHT); only a bar that docks can.
    virtual void DockAt(DWORD /*side*/) {}
    // A side is a CBRS_ALIGN_ flag, never another enumeration's value.
    template <typename Enum, typename = std::enable_if_t<std::is_enum_v<Enum>>>
    void DockAt(Enum) = delete;

    // The side the bar lies on (a CBRS_ALIGN_ flag), and whether it lies
    // in one of the frame's dock sites (a toolbar) rather than along the
    // frame's edge (the status bar, a dialog bar); the frame lays out its
    // edge bars first, then the dock sites.
    virtual DWORD GetDockedSide() const { return m_dwStyle & CBRS_ALIGN_ANY; }
    virtual bool IsInDockSite() const { return false; }
    // Whether the bar lies in a window of its own, outside the frame's
    // layout; FloatAt puts it there, that window's top left corner at
    // topLeft (screen coordinates). Only a bar that docks can float.
    virtual bool IsFloating() const { return false; }
    virtual void FloatAt(CPoint /*topLeft*/) {}

    // The frame the bar lies in; null before Create.
    CBarSite* GetBarSite() const { return m_pSite; }

    // Brings the state of the bar's buttons up to date along the frame's
    // command route.
    virtual void OnUpdateCmdUI(CCmdTarget* pTarget, bool bDisableIfNoHandler) = 0;

    // The frame moved to a display of another scale (dots per inch, 96 at
    // 100 %): the bar lays itself out for it. Where the window system
    // scales the bars itself, nothing is to be done.
    virtual void OnDpiChanged(UINT /*dpi*/) {}

    // Leaves the frame and destroys the window.
    void DestroyBar();

protected:
    void AttachToSite(CBarSite* pSite, HWND hWnd, UINT nID, DWORD dwStyle);
    virtual void OnDockingChanged() {}

    CBarSite* m_pSite = nullptr;
    UINT m_nID = 0;
    DWORD m_dwStyle = 0;
    DWORD m_dwDockStyle = 0;
};

} // namespace curvix
