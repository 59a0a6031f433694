#pragma once

#include "Wnd.h"

namespace curvix {

// A modal dialog laid out from a dialog template: static texts and icons,
// edit fields and push buttons at their template positions. OK ends it
// with IDOK; Cancel, Esc and the close box with IDCANCEL.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Builds the dialog from its template, shows it and waits until it
    // ends; the ID of the button that ended it, or -1 without a template.
    int DoModal();

    // The window of the control with the given ID, or null; valid while
    // DoModal runs.
    HWND GetDlgItem(int nID) const;

    // Ends DoModal with nResult.
    void EndDialog(int nResult);

    virtual void OnOK();
    virtual void OnCancel();

private:
    bool CreateFromTemplate();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
};

} // namespace curvix
