#pragma once

#include "Win32Api.h"
#include "Wnd.h"

#include <string>

// A window's handle is the Win32 window's handle.

namespace curvix {

inline ::HWND AfxWin32Hwnd(HWND hWnd) {
    return reinterpret_cast<::HWND>(hWnd);
}

inline HWND AfxHwnd(::HWND hWnd) {
    return reinterpret_cast<HWND>(hWnd);
}

// The Win32 window of a window object, or null before it is made.
inline ::HWND AfxWin32Hwnd(const CWnd* pWnd) {
    return pWnd != nullptr ? AfxWin32Hwnd(pWnd->GetSafeHwnd()) : nullptr;
}

inline CRect AfxCRect(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// The program's module: its resources (menus, dialogs, icons, bitmaps).
HINSTANCE AfxGetInstanceHandle();

// A window's text as UTF-8.
std::string AfxGetWindowText(::HWND hWnd);
void AfxSetWindowText(::HWND hWnd, const std::string& text);

} // namespace curvix
