#pragma once

#include "ControlBar.h"
#include "Win32Api.h"

namespace curvix {

// Dragging a bar by its gripper, or a floating bar by its caption: the
// bar's window has the mouse, an outline shows where the bar goes (its
// docked shape at a side when the pointer is near that side's dock site,
// its floating window otherwise), the button's release puts it there and
// Esc leaves it where it was.

// Where a drop would put a bar: the side it docks at (0: it floats) and
// the rectangle its window takes (the floating window's), in screen
// coordinates.
struct BarDrop {
    DWORD side = 0;
    CRect rect;
};

// Starts dragging bar with the pointer at pointer (screen); false when
// another drag runs or the bar does not dock.
bool AfxBeginBarDrag(CControlBar* pBar, POINT pointer);

// The messages of the bar window during its drag; true when the drag took
// the message.
bool AfxBarDragMessage(::HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Esc ends the drag whichever window has the keyboard; true when it took
// the message.
bool AfxBarDragKey(const MSG& msg);

// Whether a drag runs now.
bool AfxIsDraggingBar();

// Where bar would go dropped with the pointer at pointer, grabbed at grab
// inside the window it was dragged by.
BarDrop AfxBarDropAt(CControlBar* pBar, POINT pointer, POINT grab);

// A docked bar floats where it lies; a floating one docks back.
void AfxToggleFloating(CControlBar* pBar);

// The window that shows the drag's outline on the screen; null while
// none shows.
::HWND AfxBarDragOutlineWindow();

// A mouse message's point.
inline POINT AfxPointOf(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

} // namespace curvix
