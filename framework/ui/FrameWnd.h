#pragma once

#include "AcceleratorTable.h"
#include "ControlBar.h"
#include "FrameWndBase.h"
#include "View.h"
#include "Wnd.h"

#include <QEvent>
#include <QMainWindow>
#include <QMetaObject>
#include <QPointer>
#include <string>
#include <vector>

class QMenu;
class QMimeData;

namespace curvix {

// The frame window: menu bar, control bars, the view, and the command
// machinery. Commands from menus, accelerators, toolbars and dialog bars
// go through SendCommand and are routed to the active view (and its
// document), the frame, then the application. Menu items are updated when
// their menu opens and bar buttons whenever the event loop goes idle.
class CFrameWnd : public QMainWindow, public CCmdTarget, public CFrameWndBase {
public:
    CFrameWnd();
    ~CFrameWnd() override;

    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // Creates the frame from resource nIDResource (title, icon, menu and
    // accelerators) and runs the creation handlers; false when they fail.
    bool LoadFrame(UINT nIDResource, CCreateContext* pContext = nullptr);

    CView* GetActiveView() const override { return m_pViewActive.data(); }
    void SetActiveView(CView* pView) { m_pViewActive = pView; }

    void EnableDocking(DWORD dwDockStyle);
    // With nDockBarID 0 the bar goes to the side of its own alignment.
    // lpRect is not read: Qt's dock areas place their bars themselves.
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, const QRect* lpRect = nullptr);
    // The first bar with this ID, in creation order.
    CControlBar* GetControlBar(UINT nID) const;
    void ShowControlBar(CControlBar* pBar, bool bShow);
    // Keeps the frame at least as large as every docked bar needs to show
    // whole.
    void UpdateMinimumSize();
    int GetControlBarCount() const { return static_cast<int>(m_controlBars.size()); }
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);

    // Routes a command if its user-interface state allows it; a command
    // that is disabled or has no handler does nothing.
    void SendCommand(UINT nID);
    bool OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // The idle-time update of every visible bar and of every menu, so that
    // a menu not yet opened never shows a stale state (to screen readers).
    void OnIdleUpdateCmdUI();
    // Brings one menu's items up to date, as when it opens.
    void UpdateMenuCmdUI(QMenu* menu);

    // The message pane: a text, or a string-table text by ID.
    void SetMessageText(const QString& text);
    void SetMessageText(UINT nID);
    // The prompt of a command: its string-table text up to the line feed.
    QString GetMessageString(UINT nID) const;
    // The text of the command's first menu item without its mnemonic "&"
    // and key hint; empty when no menu item has the command.
    QString GetMenuItemName(UINT nID) const;
    // Whether the accelerator table turns this key into a command, so that
    // a control with the focus never sees it.
    bool IsAcceleratorKey(QKeyCombination key) const;
    // Whether a View command (Toolbar, Status Bar) can show the bar again
    // once it is hidden.
    bool HasBarToggle(const CControlBar* pBar) const;

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

    // Whether files dropped on the window are opened.
    void DragAcceptFiles(BOOL bAccept = TRUE) { setAcceptDrops(bAccept != FALSE); }
    // The local files a drag carries, in its order.
    static std::vector<std::string> DroppedFiles(const QMimeData* data);

protected:
    // View > Toolbar and View > Status Bar: shows or hides the bar with
    // the command's ID; false when the frame has no such bar.
    bool OnBarCheck(UINT nID);
    void OnUpdateControlBarMenu(CCmdUI* pCmdUI);

    // Activates the window and opens the files in turn through the
    // application, so the last one that opens stays open.
    virtual void OnDropFiles(const std::vector<std::string>& files);

    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    QMenu* createPopupMenu() override { return nullptr; }

    DECLARE_MESSAGE_MAP()

private:
    // size, made smaller where it would not fit its screen's available
    // area (never below the minimum size); for a window not yet shown,
    // whose frame is not known.
    QSize FitOnScreen(QSize size) const;
    // Puts the first window's frame inside its screen's available area.
    // The window system's frame comes after the window is shown, and a
    // window manager may add its frame later still: the fit is done again
    // whenever the frame is not the one the last fit knew, until a fit has
    // known a frame. From then on the window is the user's to place.
    void FitFrameOnScreen();
    void PostFitOnScreen();
    static QEvent::Type OpenDroppedFilesEvent();
    static QEvent::Type FitOnScreenEvent();
    void LoadMenu(UINT nIDResource);
    bool OwnsWidget(const QObject* object) const;

    QPointer<CView> m_pViewActive;
    std::vector<CControlBar*> m_controlBars;
    CAcceleratorTable m_accelerators;
    bool m_bHasAccelerators = false;
    DWORD m_dwDockStyle = 0;
    QMetaObject::Connection m_idleConnection;
    std::vector<std::string> m_droppedFiles; // waiting to be opened
    bool m_bFitStarted = false;              // the first show has come
    bool m_bFitting = false;                 // the fit waits for the window system's frame
    bool m_bFitPosted = false;
    bool m_bFitDone = false;
    QMargins m_fittedMargins; // the frame the last fit knew
};

} // namespace curvix
