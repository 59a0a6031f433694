#include "WglDevice.h"

#include <GL/gl.h>
#include <algorithm>
#include <cstring>
#include <windows.h>

namespace curvix {

namespace {

constexpr const wchar_t* kDrawingClassName = L"CurvixWglDrawing";

// The class of the hidden drawing windows: a device context of their own,
// so that the one the contexts are made current on stays valid.
bool RegisterDrawingClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    if (GetClassInfoExW(instance, kDrawingClassName, &windowClass) != FALSE) {
        return true;
    }
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kDrawingClassName;
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

PIXELFORMATDESCRIPTOR DescriptorFor(const PixelFormatDescriptor& request) {
    PIXELFORMATDESCRIPTOR descriptor{};
    descriptor.nSize = sizeof descriptor;
    descriptor.nVersion = 1;
    descriptor.dwFlags = (request.drawToWindow ? PFD_DRAW_TO_WINDOW : 0) |
                         (request.supportOpenGL ? PFD_SUPPORT_OPENGL : 0) |
                         (request.doubleBuffer ? PFD_DOUBLEBUFFER : 0);
    descriptor.iPixelType = request.rgba ? PFD_TYPE_RGBA : PFD_TYPE_COLORINDEX;
    descriptor.cColorBits = request.colorBits;
    descriptor.cAlphaBits = request.alphaBits;
    descriptor.cAccumBits = request.accumBits;
    descriptor.cDepthBits = request.depthBits;
    descriptor.cStencilBits = request.stencilBits;
    descriptor.cAuxBuffers = request.auxBuffers;
    descriptor.iLayerType = request.mainPlane ? PFD_MAIN_PLANE : PFD_OVERLAY_PLANE;
    return descriptor;
}

} // namespace

WglDevice::WglDevice(HWND target) : m_target(target) {
    if (target == nullptr || IsWindow(target) == FALSE) {
        m_target = nullptr;
        Fail("no window to show the frames in");
        return;
    }
    RECT client{};
    GetClientRect(target, &client);
    CreateDrawingWindow(client.right, client.bottom);
}

WglDevice::WglDevice(int width, int height) : m_offscreen(true) {
    if (width <= 0 || height <= 0) {
        Fail("image size must be positive");
        return;
    }
    CreateDrawingWindow(width, height);
}

WglDevice::~WglDevice() {
    if (m_drawingWindow == nullptr) {
        return;
    }
    // A context still current here would be left on a window that is gone.
    if (IsCurrentHere()) {
        wglMakeCurrent(nullptr, nullptr);
    }
    DestroyWindow(m_drawingWindow);
}

void WglDevice::CreateDrawingWindow(int width, int height) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!RegisterDrawingClass(instance)) {
        Fail("cannot register the OpenGL drawing window's class");
        return;
    }
    // A pop-up: no frame, so the client area is the whole window, and no
    // size limit from the screen. It is never shown.
    m_drawingWidth = std::max(width, 1);
    m_drawingHeight = std::max(height, 1);
    m_drawingWindow =
        CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kDrawingClassName, L"", WS_POPUP, 0, 0,
                        m_drawingWidth, m_drawingHeight, nullptr, nullptr, instance, nullptr);
    if (m_drawingWindow == nullptr) {
        m_drawingWidth = 0;
        m_drawingHeight = 0;
        Fail("cannot create the OpenGL drawing window");
        return;
    }
    m_drawingDC = GetDC(m_drawingWindow);
    if (m_drawingDC == nullptr) {
        Fail("the OpenGL drawing window has no device context");
    }
}

bool WglDevice::Fail(const std::string& message) {
    // The first failure is the cause; what follows from it adds nothing.
    if (m_lastError.empty()) {
        m_lastError = message;
    }
    return false;
}

int WglDevice::QueryColorDepth() {
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    if (EnumDisplaySettingsW(nullptr, ENUM_CURRENT_SETTINGS, &mode) == FALSE) {
        return 0;
    }
    return static_cast<int>(mode.dmBitsPerPel);
}

int WglDevice::ChoosePixelFormat(const PixelFormatDescriptor& request) {
    if (m_drawingDC == nullptr) {
        return 0;
    }
    const PIXELFORMATDESCRIPTOR descriptor = DescriptorFor(request);
    return ::ChoosePixelFormat(m_drawingDC, &descriptor);
}

bool WglDevice::SetPixelFormat(int format, const PixelFormatDescriptor& request) {
    if (m_drawingDC == nullptr || format <= 0) {
        return Fail("no OpenGL pixel format available");
    }
    const PIXELFORMATDESCRIPTOR descriptor = DescriptorFor(request);
    if (::SetPixelFormat(m_drawingDC, format, &descriptor) == FALSE) {
        return Fail("the OpenGL pixel format was refused");
    }
    return true;
}

GLRenderContext WglDevice::CreateContext() {
    if (m_drawingDC == nullptr) {
        return nullptr;
    }
    HGLRC context = wglCreateContext(m_drawingDC);
    if (context == nullptr) {
        Fail("cannot create an OpenGL context");
    }
    return reinterpret_cast<GLRenderContext>(context);
}

bool WglDevice::MakeCurrent(GLRenderContext context) {
    if (context == nullptr) {
        return wglMakeCurrent(nullptr, nullptr) != FALSE;
    }
    if (m_drawingDC == nullptr) {
        return false;
    }
    const bool resized = FollowTargetSize();
    if (wglMakeCurrent(m_drawingDC, reinterpret_cast<HGLRC>(context)) == FALSE) {
        return Fail("cannot make the OpenGL context current");
    }
    if (resized) {
        // Mesa's software driver (under Wine) looks at the window's size
        // again only at a buffer swap; without one the context would go on
        // drawing into buffers of the old size. The hidden window's swap
        // shows nothing, and the next frame is drawn whole.
        ::SwapBuffers(m_drawingDC);
    }
    return true;
}

bool WglDevice::FollowTargetSize() {
    if (m_offscreen || m_target == nullptr || IsWindow(m_target) == FALSE) {
        return false;
    }
    RECT client{};
    GetClientRect(m_target, &client);
    // An empty client area (a minimised frame) keeps a one-pixel drawable.
    const int width = std::max<int>(client.right, 1);
    const int height = std::max<int>(client.bottom, 1);
    if (width == m_drawingWidth && height == m_drawingHeight) {
        return false;
    }
    if (SetWindowPos(m_drawingWindow, nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_NOACTIVATE) == FALSE) {
        return false;
    }
    m_drawingWidth = width;
    m_drawingHeight = height;
    return true;
}

void WglDevice::DeleteContext(GLRenderContext context) {
    if (context != nullptr) {
        wglDeleteContext(reinterpret_cast<HGLRC>(context));
    }
}

bool WglDevice::IsCurrentHere() const {
    return m_drawingDC != nullptr && wglGetCurrentContext() != nullptr &&
           wglGetCurrentDC() == m_drawingDC;
}

bool WglDevice::SwapBuffers() {
    if (!IsCurrentHere()) {
        return false;
    }
    if (m_offscreen) {
        ReadBackBuffer(m_drawingWidth, m_drawingHeight);
        return true;
    }
    if (m_target == nullptr || IsWindow(m_target) == FALSE) {
        return false;
    }
    RECT client{};
    GetClientRect(m_target, &client);
    // Only what the drawing window holds is defined; MakeCurrent has
    // already matched it to this size unless the target changed since.
    const int width = std::min<int>(client.right, m_drawingWidth);
    const int height = std::min<int>(client.bottom, m_drawingHeight);
    ReadBackBuffer(width, height);
    return CopyFrameToTarget();
}

void WglDevice::ReadBackBuffer(int width, int height) {
    m_frameWidth = std::max(width, 0);
    m_frameHeight = std::max(height, 0);
    m_frame.resize(static_cast<std::size_t>(m_frameWidth) * m_frameHeight * 4);
    m_presented = true;
    if (m_frame.empty()) {
        return;
    }
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, m_frameWidth, m_frameHeight, GL_BGRA_EXT, GL_UNSIGNED_BYTE, m_frame.data());
}

bool WglDevice::CopyFrameToTarget() {
    if (m_frame.empty()) {
        return true;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = m_frameWidth;
    info.bmiHeader.biHeight = m_frameHeight; // positive: rows from the bottom, as OpenGL's
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC targetDC = GetDC(m_target);
    if (targetDC == nullptr) {
        return false;
    }
    const int rows = SetDIBitsToDevice(
        targetDC, 0, 0, static_cast<DWORD>(m_frameWidth), static_cast<DWORD>(m_frameHeight), 0, 0,
        0, static_cast<UINT>(m_frameHeight), m_frame.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(m_target, targetDC);
    return rows > 0;
}

bool WglDevice::ReadPixels(std::vector<std::uint8_t>& rgba) const {
    if (!m_presented) {
        return false;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(m_frameWidth) * 4;
    rgba.resize(m_frame.size());
    for (int row = 0; row < m_frameHeight; ++row) {
        const std::uint8_t* from =
            m_frame.data() + static_cast<std::size_t>(m_frameHeight - 1 - row) * rowBytes;
        std::uint8_t* to = rgba.data() + static_cast<std::size_t>(row) * rowBytes;
        for (std::size_t i = 0; i < rowBytes; i += 4) {
            to[i] = from[i + 2];
            to[i + 1] = from[i + 1];
            to[i + 2] = from[i];
            to[i + 3] = 0xFF;
        }
    }
    return true;
}

} // namespace curvix
