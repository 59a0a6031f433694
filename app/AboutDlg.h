#pragma once

#include "Dialog.h"

namespace curvix {

// The About box: the program icon, its name and version, and a notice.
class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(CWnd* pParentWnd = nullptr);
};

} // namespace curvix
