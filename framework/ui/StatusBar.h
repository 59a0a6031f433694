#pragma once

#include "ControlBar.h"

#include <vector>

class QLabel;
class QStatusBar;

namespace curvix {

// The status bar: one pane per indicator ID. The ID_SEPARATOR pane
// stretches and takes the window text (messages and prompts); every other
// pane is as wide as its string-table text and starts with that text.
class CStatusBar : public CControlBar {
public:
    CStatusBar() = default;
    ~CStatusBar() override;

    BOOL Create(CFrameWnd* pParentWnd, DWORD dwStyle, UINT nID);
    // FALSE when a nonzero ID has no string-table text.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    // Sets the message pane's text and shows it at once.
    void SetWindowText(const QString& text) override;
    bool SetPaneText(int nIndex, const QString& text, bool bUpdate = true);
    QString GetPaneText(int nIndex) const;
    // The name screen readers give pane nIndex; its text is read as the
    // pane's description.
    void SetPaneName(int nIndex, const QString& name);
    UINT GetItemID(int nIndex) const;
    int CommandToIndex(UINT nID) const;
    int GetCount() const { return static_cast<int>(m_panes.size()); }
    QLabel* GetPaneLabel(int nIndex) const;
    QStatusBar* GetStatusBarCtrl() const;

    void OnUpdateCmdUI(CFrameWnd*, bool) override {}

private:
    struct Pane {
        UINT nID;
        QLabel* label;
    };
    std::vector<Pane> m_panes;
};

} // namespace curvix
