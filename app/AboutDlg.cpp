#include "AboutDlg.h"

#include "Resource.h"

namespace curvix {

CAboutDlg::CAboutDlg(QWidget* pParentWnd) : CDialog(IDD_ABOUTBOX, pParentWnd) {}

} // namespace curvix
