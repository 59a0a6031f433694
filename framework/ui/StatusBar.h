#pragma once

#include "ControlBar.h"

#include <string>
#include <vector>

namespace curvix {

// The status bar: one pane per indicator ID. The ID_SEPARATOR pane
// stretches and takes the window text (messages and prompts); every other
// pane is as wide as its string-table text and starts with that text.
class CStatusBar : public CControlBar {
public:
    CStatusBar() = default;
    ~CStatusBar() override;

    BOOL Create(CBarSite* pParentWnd, DWORD dwStyle, UINT nID);
    // FALSE when a nonzero ID has no string-table text.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    // Sets the message pane's text and shows it at once.
    void SetWindowText(const std::string& text) override;
    bool SetPaneText(int nIndex, const std::string& text, bool bUpdate = true);
    std::string GetPaneText(int nIndex) const;
    // The name screen readers give pane nIndex; its text is read as the
    // pane's description.
    void SetPaneName(int nIndex, const std::string& name);
    UINT GetItemID(int nIndex) const;
    int CommandToIndex(UINT nID) const;
    int GetCount() const { return static_cast<int>(m_panes.size()); }
    // The window of pane nIndex, or null.
    HWND GetPaneWindow(int nIndex) const;

    void OnUpdateCmdUI(CCmdTarget*, bool) override {}
    void OnDpiChanged(UINT dpi) override;

private:
    struct Pane {
        UINT nID;
        HWND hWnd;
    };
    std::vector<Pane> m_panes;
};

} // namespace curvix
