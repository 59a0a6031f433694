#pragma once

#include "Win32Api.h"

#include <string>
#include <vector>

// What screen readers learn of a window through Active Accessibility
// beyond what the system's own object for it says: the window's name and,
// for a window made of parts (the status bar's panes), each part's name,
// text and place.

namespace curvix {

struct AccessiblePart {
    std::string name;
    std::string value; // what it shows
    RECT rect{};       // in the window's client coordinates
};

struct AccessibleInfo {
    std::string name; // empty: the system's name for the window
    std::vector<AccessiblePart> parts;
};

// Fills info for the window as it is now; false when it cannot (the
// window is gone).
using AccessibleDescriber = bool (*)(::HWND hWnd, AccessibleInfo& info);

// Answers WM_GETOBJECT for the window's client object with an object that
// asks describe at every question and the system's own object for all
// else. False for any other object, and when no object can be made: the
// message then goes on to the default handling.
bool AfxAnswerGetObject(::HWND hWnd, WPARAM wParam, LPARAM lParam, AccessibleDescriber describe,
                        LRESULT& result);

} // namespace curvix
