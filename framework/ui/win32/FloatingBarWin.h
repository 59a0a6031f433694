#pragma once

#include "Win32Api.h"
#include "Wnd.h"

#include <string>

namespace curvix {

// A floating bar: the bar's window moved out of the frame into a small
// tool window of its own, owned by the frame and captioned with the bar's
// title. A bar that a View command can show again has a close button, and
// closing hides it; any other has none, and closing it docks it back at
// the side it left, as a double click on the caption does for every bar.

// The tool window for the bar window bar of frame, its top left corner at
// topLeft (screen), docking back at side dockBack; hidden until fitted.
// Null when it cannot be made.
::HWND AfxCreateFloatingWindow(::HWND frame, ::HWND bar, DWORD dockBack, bool closable,
                               POINT topLeft);

// The floating window the bar window lies in; null while docked.
::HWND AfxFloatingWindowOf(::HWND bar);

// The side the floating window's bar docks back at.
DWORD AfxFloatingDockBack(::HWND floating);

// Gives the floating window its bar's size (and room for the whole
// caption) and shows it while the bar is shown.
void AfxFitFloatingWindow(::HWND floating);

// The window size a floating window needs around a bar of size client
// with this caption.
SIZE AfxFloatingWindowSize(SIZE client, const std::wstring& caption, bool closable);

// The width the caption leaves for its text, buttons and borders taken.
int AfxFloatingCaptionRoom(::HWND floating);

// The width of caption in the font of tool windows' captions.
int AfxSmallCaptionTextWidth(const std::wstring& caption);

} // namespace curvix
