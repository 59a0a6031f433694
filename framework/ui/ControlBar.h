#pragma once

#include "Wnd.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace curvix {

class CFrameWnd;

// Base of the frame's bars. The object exists before and after its
// window; Create makes the window (a Qt widget owned by the frame) and
// registers the bar with its frame, the destructor destroys the window.
class CControlBar {
public:
    CControlBar() = default;
    CControlBar(const CControlBar&) = delete;
    CControlBar& operator=(const CControlBar&) = delete;
    virtual ~CControlBar();

    // The bar's window, or null before creation.
    QWidget* GetSafeHwnd() const { return m_pWindow.data(); }
    UINT GetDlgCtrlID() const { return m_nID; }
    DWORD GetBarStyle() const { return m_dwStyle; }
    // Whether the bar is shown (not hidden by the user or the program).
    bool IsVisible() const { return m_pWindow != nullptr && !m_pWindow->isHidden(); }

    virtual void SetWindowText(const QString& text);
    QString GetWindowText() const;

    // The size the bar needs, docked, to show all of its contents.
    virtual QSize GetWholeSize() const;

    void EnableDocking(DWORD dwDockStyle);
    DWORD GetDockingStyle() const { return m_dwDockStyle; }

    // Brings the state of the bar's buttons up to date along the frame's
    // command route.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, bool bDisableIfNoHandler) = 0;

    void DestroyWindow();

protected:
    void AttachToFrame(CFrameWnd* pFrame, QWidget* window, UINT nID, DWORD dwStyle);
    virtual void OnDockingChanged() {}

    QPointer<QWidget> m_pWindow;
    CFrameWnd* m_pFrame = nullptr;
    UINT m_nID = 0;
    DWORD m_dwStyle = 0;
    DWORD m_dwDockStyle = 0;
};

} // namespace curvix
