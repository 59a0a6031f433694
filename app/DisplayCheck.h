#pragma once

#include <string>

namespace curvix {

// True when the program has somewhere to show its window: DISPLAY,
// WAYLAND_DISPLAY or QT_QPA_PLATFORM is set, or a -platform argument names
// one. Without one the toolkit would abort; this lets the program end with
// a clear line instead.
bool HasDisplay(int argc, const char* const* argv);

// The line saying so, for standard error.
inline constexpr const char* kNoDisplayText =
    "curvix: a display is needed: none of DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM is set";

// The display the program was told to use, as one line: every one of
// QT_QPA_PLATFORM, WAYLAND_DISPLAY and DISPLAY that is set and a -platform
// argument, as NAME=value, control characters written as \xNN.
std::string DescribeDisplay(int argc, const char* const* argv);

// The line for a display that was named but could not be opened.
std::string UnreachableDisplayText(int argc, const char* const* argv);

} // namespace curvix
