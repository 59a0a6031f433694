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

// The object a window of ours was made for (CreateWindowExW's last
// argument): kept in the window's user data from WM_NCCREATE on, null
// before that and after WM_NCDESTROY.
void* AfxWindowObject(::HWND hWnd, UINT message, LPARAM lParam);

// Registers a window class of the program's module once; false when the
// system refuses it.
bool AfxRegisterClass(const wchar_t* name, WNDPROC procedure, UINT style = 0,
                      HBRUSH background = nullptr);

// A window's text as UTF-8.
std::string AfxGetWindowText(::HWND hWnd);
void AfxSetWindowText(::HWND hWnd, const std::string& text);

} // namespace curvix
