#pragma once

#include "ControlBar.h"

#include <map>

class QAbstractButton;
class QToolBar;

namespace curvix {

// A bar laid out from a dialog template, as wide as the frame, with the
// keyboard handling of a dialog: Tab and Shift+Tab cycle through its
// controls, Enter presses the default button. Buttons send their IDs as
// commands along the frame's route.
class CDialogBar : public CControlBar {
public:
    CDialogBar() = default;
    ~CDialogBar() override;

    // FALSE when the template does not exist.
    BOOL Create(CFrameWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID);

    void OnUpdateCmdUI(CFrameWnd* pTarget, bool bDisableIfNoHandler) override;
    // With its edit field at its narrowest.
    QSize GetWholeSize() const override;

    // The control with the given ID, or null.
    QWidget* GetDlgItem(int nID) const;
    // The page that holds the controls.
    QWidget* GetPage() const { return m_pPage.data(); }

private:
    QPointer<QWidget> m_pPage;
    std::map<int, QPointer<QAbstractButton>> m_buttons;
};

} // namespace curvix
