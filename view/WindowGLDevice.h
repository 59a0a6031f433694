#pragma once

#include "GLDevice.h"
#include "Wnd.h"

#include <memory>

namespace curvix {

// The OpenGL drawable of a view's own window (one that paints its own
// surface), from the window system's files.
std::unique_ptr<GLDevice> CreateWindowGLDevice(HWND hWnd);

} // namespace curvix
