#pragma once

#include "ControlBar.h"

#include <QRect>
#include <QToolBar>
#include <vector>

class QAction;
class QDockWidget;

class QToolButton;

namespace curvix {

// A toolbar: a row of image buttons, each sending a command. Docked it
// shows a gripper to drag it by; it docks on any side it is allowed to and
// floats in a small window captioned with its title.
class CToolBar : public CControlBar {
public:
    CToolBar() = default;
    ~CToolBar() override;

    // dwCtrlStyle and rcBorders are not read: Qt's toolbar buttons are
    // always flat (TBSTYLE_FLAT) and the dock window draws the borders.
    BOOL CreateEx(CFrameWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, QRect rcBorders,
                  UINT nID);
    // Buttons from toolbar resource nIDResource, images from the bitmap
    // of the same ID; FALSE when either is missing or too small.
    BOOL LoadToolBar(UINT nIDResource);

    void SetWindowText(const QString& text) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, bool bDisableIfNoHandler) override;
    // Every button in a row or column, as the bar is docked.
    QSize GetWholeSize() const override;

    // Places the bar in one of the frame's dock sites.
    void DockAt(Qt::DockWidgetArea area);

    // The name screen readers give button nIndex. Each button starts with
    // its tooltip text, or else with its command's menu text.
    void SetButtonName(int nIndex, const QString& name);

    int GetCount() const { return static_cast<int>(m_items.size()); }
    UINT GetItemID(int nIndex) const;
    QAction* GetItemAction(int nIndex) const;
    QToolButton* GetItemButton(int nIndex) const;
    QToolBar* GetToolBarCtrl() const { return m_pToolBar.data(); }
    QDockWidget* GetDockWidget() const;
    // Floating, the width the caption's text has in the title bar; 0 docked.
    int GetCaptionRoom() const;

protected:
    void OnDockingChanged() override;

private:
    void UpdateShape();
    void FitFloatingWindow();

    QPointer<QToolBar> m_pToolBar;
    QPointer<QWidget> m_pGripper;
    std::vector<QAction*> m_items; // null for separators
    std::vector<UINT> m_itemIDs;
};

} // namespace curvix
