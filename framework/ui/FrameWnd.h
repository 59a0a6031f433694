#pragma once

#include "AcceleratorTable.h"
#include "ControlBar.h"
#include "FrameWndBase.h"
#include "View.h"
#include "Wnd.h"

#include <memory>
#include <string>
#include <vector>

namespace curvix {

// The frame window: menu bar, control bars, the view, and the command
// machinery. Commands from menus, accelerators, toolbars and dialog bars
// go through SendCommand and are routed to the active view (and its
// document), the frame, then the application. Menu items are updated when
// their menu opens and bar buttons whenever the event loop goes idle.
class CFrameWnd : public CWnd, public CFrameWndBase, public CBarSite {
public:
    CFrameWnd();
    ~CFrameWnd() override;

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // Creates the frame from resource nIDResource (title, icon, menu and
    // accelerators) and runs the creation handlers; false when they fail.
    bool LoadFrame(UINT nIDResource, CCreateContext* pContext = nullptr);

    CView* GetActiveView() const override { return m_pViewActive; }
    void SetActiveView(CView* pView) { m_pViewActive = pView; }

    void EnableDocking(DWORD dwDockStyle);
    // With nDockBarID 0 the bar goes to the side of its own alignment.
    // lpRect is not read: the dock sites place their bars themselves.
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, const CRect* lpRect = nullptr);
    // The first bar with this ID, in creation order.
    CControlBar* GetControlBar(UINT nID) const;
    void ShowControlBar(CControlBar* pBar, bool bShow);
    // Keeps the frame at least as large as every docked bar needs to show
    // whole.
    void UpdateMinimumSize();
    int GetControlBarCount() const override { return static_cast<int>(m_controlBars.size()); }
    void AddControlBar(CControlBar* pBar) override;
    void RemoveControlBar(CControlBar* pBar) override;
    HWND GetSiteHwnd() const override { return m_hWnd; }
    CCmdTarget* GetCommandTarget() override { return this; }

    // Routes a command if its user-interface state allows it; a command
    // that is disabled or has no handler does nothing.
    void SendCommand(UINT nID) override;
    bool OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // The idle-time update of every visible bar and of every menu, so that
    // a menu not yet opened never shows a stale state (to screen readers).
    void OnIdleUpdateCmdUI();

    // The message pane: a text, or a string-table text by ID.
    void SetMessageText(const std::string& text);
    void SetMessageText(UINT nID);
    void ShowPrompt(UINT nID) override;
    // The prompt of a command: its string-table text up to the line feed.
    std::string GetMessageString(UINT nID) const;
    std::string GetMenuItemName(UINT nID) const override;
    bool IsAcceleratorKey(UINT vk, UINT modifiers) const override;
    bool HasBarToggle(const CControlBar* pBar) const override;
    const CAcceleratorTable* GetAccelerators() const {
        return m_bHasAccelerators ? &m_accelerators : nullptr;
    }

    int OnCreate(LPCREATESTRUCT lpCreateStruct);

    // Dispatches a window message through the message map; false when no
    // entry handles it.
    bool OnWndMsg(UINT message, void* pExtra, long* pResult);

    // Whether the frame may close: the main window's document may be left
    // (the application asks about its changes).
    virtual bool CanCloseFrame();
    // The caption shows the document's title, with "*" while it is
    // modified; brought up to date whenever the event loop goes idle.
    virtual void OnUpdateFrameTitle();

    // Brings the window to the front and gives it the keyboard.
    void ActivateFrame();
    // Closes the window as its close box does: only when CanCloseFrame.
    void RequestClose();

    // Whether files dropped on the window are opened.
    void DragAcceptFiles(BOOL bAccept = TRUE);

    // Activates the window and opens the files in turn through the
    // application, so the last one that opens stays open.
    virtual void OnDropFiles(const std::vector<std::string>& files);

protected:
    // View > Toolbar and View > Status Bar: shows or hides the bar with
    // the command's ID; false when the frame has no such bar.
    bool OnBarCheck(UINT nID);
    void OnUpdateControlBarMenu(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

public:
    // The window system's side of the frame, in its files alone.
    struct Impl;

private:
    friend struct Impl;
    bool CreateFrameWindow(const CREATESTRUCT& cs, UINT nIDResource);
    void LoadMenu(UINT nIDResource);
    // The accelerator table sees every key for the frame's windows first.
    void WatchAcceleratorKeys();
    // OnIdleUpdateCmdUI whenever the event loop is about to wait.
    void WatchIdleTime();
    void AttachView(CView* pView);

    std::unique_ptr<Impl> m_pImpl;
    CView* m_pViewActive = nullptr;
    std::unique_ptr<CView> m_pView; // the view the frame made
    std::vector<CControlBar*> m_controlBars;
    CAcceleratorTable m_accelerators;
    bool m_bHasAccelerators = false;
    DWORD m_dwDockStyle = 0;
};

} // namespace curvix
