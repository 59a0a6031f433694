#include "Dialog.h"

namespace curvix {

void CDialog::OnOK() {
    EndDialog(static_cast<int>(IDOK));
}

void CDialog::OnCancel() {
    EndDialog(static_cast<int>(IDCANCEL));
}

} // namespace curvix
