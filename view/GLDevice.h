#pragma once

#include <cstdint>

namespace curvix {

// What a rendering context is asked for: the drawable's pixel layout and
// buffers. Bit counts of 0 mean "none wanted".
struct PixelFormatDescriptor {
    bool drawToWindow = true;
    bool supportOpenGL = true;
    bool doubleBuffer = true;
    bool rgba = true;
    std::uint8_t colorBits = 0;
    std::uint8_t alphaBits = 0;
    std::uint8_t accumBits = 0;
    std::uint8_t depthBits = 0;
    std::uint8_t stencilBits = 0;
    std::uint8_t auxBuffers = 0;
    bool mainPlane = true;

    bool operator==(const PixelFormatDescriptor&) const = default;
};

// Opaque handle of a rendering context made by a GLDevice; null is none.
struct GLRenderContextTag;
using GLRenderContext = GLRenderContextTag*;

// A drawable the platform can give an OpenGL context: a window's surface or
// an offscreen image. It offers the few platform operations GLContext needs,
// so that the window system (Qt, EGL, a test's fake) can be exchanged.
class GLDevice {
public:
    virtual ~GLDevice() = default;

    // Bits per pixel of the display this drawable is shown on; 0 when unknown.
    virtual int QueryColorDepth() = 0;
    // Index of the supported format closest to the request; 0 when none.
    virtual int ChoosePixelFormat(const PixelFormatDescriptor& request) = 0;
    // Gives the drawable that format; false when it is refused.
    virtual bool SetPixelFormat(int format, const PixelFormatDescriptor& request) = 0;
    // A new context for this drawable; null on failure.
    virtual GLRenderContext CreateContext() = 0;
    // Makes the context current on this drawable; null makes none current.
    virtual bool MakeCurrent(GLRenderContext context) = 0;
    virtual void DeleteContext(GLRenderContext context) = 0;
    // Presents the back buffer.
    virtual bool SwapBuffers() = 0;
};

} // namespace curvix
