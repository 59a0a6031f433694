#pragma once

namespace curvix {

// True when the program has somewhere to show its window: DISPLAY,
// WAYLAND_DISPLAY or QT_QPA_PLATFORM is set, or a -platform argument names
// one. Without one the toolkit would abort; this lets the program end with
// a clear line instead.
bool HasDisplay(int argc, const char* const* argv);

// The line saying so, for standard error.
inline constexpr const char* kNoDisplayText =
    "curvix: a display is needed: none of DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM is set";

} // namespace curvix
