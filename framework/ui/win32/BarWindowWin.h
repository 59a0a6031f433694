#pragma once

#include "ControlBar.h"
#include "Win32Api.h"

#include <functional>
#include <memory>

namespace curvix {

// The frame lays its bars out again when it gets this message: a bar was
// shown, hidden or changed its size.
inline constexpr UINT WM_CURVIX_RECALCLAYOUT = WM_APP + 1;

// Which edge of a bar its gripper lies on.
enum class Gripper { None, Left, Top };

// The window every bar lives in, a child of the frame: it holds the bar's
// control, draws the gripper, passes the control's commands along the
// frame's route and its notifications to the bar, and tells the frame
// when it is shown or hidden.
struct BarWindowWin {
    CBarSite* site = nullptr;
    Gripper gripper = Gripper::None;
    std::function<LRESULT(NMHDR*)> onNotify;    // 0 when not handled
    std::function<void(int cx, int cy)> onSize; // lays the control out
    std::function<CSize()> wholeSize;           // the room it needs; else its size now
    // A bar that the pointer drags by the gripper, and double-clicking it
    // floats; null for one that stays where the frame puts it.
    CControlBar* dragged = nullptr;
    // The room the bar needs docked at a side (a CBRS_ALIGN_ flag), or
    // floating (0); else wholeSize.
    std::function<CSize(DWORD side)> sizeAt;
};

// A bar window, hidden until shown, that keeps state until it is
// destroyed. Null when it cannot be made.
::HWND AfxCreateBarWindow(::HWND parent, UINT nID, std::unique_ptr<BarWindowWin> state);
// The state of a bar window; null for any other window.
BarWindowWin* AfxBarWindowState(::HWND hWnd);

// The room the gripper takes across its edge.
inline constexpr int kGripperSize = 8;

} // namespace curvix
