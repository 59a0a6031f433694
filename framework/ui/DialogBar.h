#pragma once

#include "ControlBar.h"

#include <memory>

namespace curvix {

// A bar laid out from a dialog template, as wide as the frame, with the
// keyboard handling of a dialog: Tab and Shift+Tab cycle through its
// controls, Enter presses the default button. Buttons send their IDs as
// commands along the frame's route.
class CDialogBar : public CControlBar {
public:
    CDialogBar();
    ~CDialogBar() override;

    // FALSE when the template does not exist.
    BOOL Create(CBarSite* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID);

    void OnUpdateCmdUI(CCmdTarget* pTarget, bool bDisableIfNoHandler) override;
    void OnDpiChanged(UINT dpi) override;
    // With its edit field at its narrowest.
    CSize GetWholeSize() const override;

    // The window of the control with the given ID, or null.
    HWND GetDlgItem(int nID) const;
    // The page that holds the controls.
    HWND GetPage() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_pImpl;
};

} // namespace curvix
