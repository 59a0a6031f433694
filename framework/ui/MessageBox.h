#pragma once

#include "CmdTarget.h"

#include <string>

namespace curvix {

// What a message box shows and which buttons it offers.
inline constexpr UINT MB_OK = 0x0000;
inline constexpr UINT MB_YESNOCANCEL = 0x0003;
inline constexpr UINT MB_ICONQUESTION = 0x0020;
inline constexpr UINT MB_ICONWARNING = 0x0030;
inline constexpr UINT MB_ICONINFORMATION = 0x0040;
inline constexpr UINT MB_TYPEMASK = 0x000F;
inline constexpr UINT MB_ICONMASK = 0x00F0;
// The button that ended a message box (IDOK and IDCANCEL are the dialogs').
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// A modal message box captioned with the application's title, over the
// main window while that is shown. Of Yes, No and Cancel, Yes is the
// default and Esc is Cancel. Returns the button pressed.
int AfxMessageBox(const std::string& text, UINT nType);

} // namespace curvix
