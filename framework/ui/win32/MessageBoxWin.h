#pragma once

#include "Win32Api.h"

#include <string>

// What AfxMessageBox gives MessageBoxW besides the text.

namespace curvix {

// The application's title (string AFX_IDS_APP_TITLE), or the program
// file's name without its folder and extension when there is none.
std::wstring AfxMessageBoxCaption();

// MessageBoxW's style for AfxMessageBox's nType: its buttons, icon and
// other flags as given, the first button the default, and modal to the
// owner, or to the whole thread when there is none.
UINT AfxMessageBoxStyle(UINT nType, bool hasOwner);

// The main window when it is shown, else none.
::HWND AfxMessageBoxOwner(::HWND mainWindow);

} // namespace curvix
