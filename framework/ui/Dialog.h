#pragma once

#include "Wnd.h"

#include <QDialog>

namespace curvix {

// A modal dialog laid out from a dialog template: static texts and icons,
// edit fields and push buttons at their template positions. OK ends it
// with IDOK; Cancel, Esc and the close box with IDCANCEL.
class CDialog : public QDialog, public CCmdTarget {
public:
    explicit CDialog(UINT nIDTemplate, QWidget* pParentWnd = nullptr);
    ~CDialog() override;

    // Builds the dialog from its template, shows it and waits until it
    // ends; the ID of the button that ended it, or -1 without a template.
    int DoModal();

    // The control with the given ID, or null; valid while DoModal runs.
    QWidget* GetDlgItem(int nID) const;

protected:
    virtual void OnOK();
    virtual void OnCancel();

    void reject() override { OnCancel(); }

private:
    bool CreateFromTemplate();

    UINT m_nIDTemplate;
    bool m_bCreated = false;
};

} // namespace curvix
