#pragma once

#include <string>

namespace curvix {

// An initialised EGL display that can make desktop OpenGL contexts without
// a window, and the configuration to make them with (null where the display
// needs none).
struct OffscreenDisplay {
    void* display = nullptr; // EGLDisplay; null when none could be opened
    void* config = nullptr;  // EGLConfig
    std::string error;       // with no display: every platform tried and why it failed
};

// Tries, in this order, Mesa's surfaceless platform, the EGL device platform
// (each device in turn: NVIDIA's driver offers only this one headless, Mesa
// a software device too) and the default display. CURVIX_EGL_PLATFORMS, a
// comma-separated list of "surfaceless", "device" and "default", replaces
// the order, so that tests can take each way on any machine.
OffscreenDisplay OpenOffscreenDisplay();

} // namespace curvix
