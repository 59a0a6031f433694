#include "AboutDlg.h"

#include "Resource.h"

namespace curvix {

CAboutDlg::CAboutDlg(CWnd* pParentWnd) : CDialog(IDD_ABOUTBOX, pParentWnd) {}

} // namespace curvix
