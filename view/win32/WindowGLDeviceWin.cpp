#include "WglDevice.h"
#include "WindowGLDevice.h"

namespace curvix {

// A window's handle is the Win32 window's handle.
std::unique_ptr<GLDevice> CreateWindowGLDevice(HWND hWnd) {
    return std::make_unique<WglDevice>(reinterpret_cast<HWND__*>(hWnd));
}

} // namespace curvix
