#pragma once

// The Windows headers, included before any of the framework's: they define
// as macros many names the framework declares in its own namespace (IDOK,
// MB_OK, WM_CREATE, SW_SHOW, TRUE, ...) and the A/W pairs of functions the
// framework's classes name as members (SetWindowText, LoadMenu, ...). Those
// macros go here; the framework's constants have the same values, and the
// Win32 files call the wide functions by their W names.

// The other headers need windows.h first.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
// clang-format on

#undef BS_DEFPUSHBUTTON
#undef BS_PUSHBUTTON
#undef BS_TYPEMASK
#undef CW_USEDEFAULT
#undef DS_MODALFRAME
#undef ES_AUTOHSCROLL
#undef FALSE
#undef FALT
#undef FCONTROL
#undef FSHIFT
#undef FVIRTKEY
#undef IDCANCEL
#undef IDNO
#undef IDOK
#undef IDYES
#undef MB_ICONINFORMATION
#undef MB_ICONMASK
#undef MB_ICONQUESTION
#undef MB_ICONWARNING
#undef MB_OK
#undef MB_TYPEMASK
#undef MB_YESNOCANCEL
#undef MF_CHECKED
#undef MF_GRAYED
#undef MF_POPUP
#undef MF_SEPARATOR
#undef SS_ICON
#undef SS_LEFT
#undef SS_NOPREFIX
#undef SS_TYPEMASK
#undef SW_HIDE
#undef SW_SHOW
#undef TBSTYLE_FLAT
#undef TRUE
#undef VK_BACK
#undef VK_DELETE
#undef VK_F6
#undef VK_INSERT
#undef WM_COMMAND
#undef WM_CREATE
#undef WS_BORDER
#undef WS_CAPTION
#undef WS_CHILD
#undef WS_GROUP
#undef WS_OVERLAPPEDWINDOW
#undef WS_POPUP
#undef WS_SYSMENU
#undef WS_TABSTOP
#undef WS_VISIBLE

#undef CreateDialog
#undef GetWindowText
#undef LoadMenu
#undef SetWindowText
