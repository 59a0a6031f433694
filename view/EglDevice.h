#pragma once

#include "GLDevice.h"

#include <cstdint>
#include <string>
#include <vector>

namespace curvix {

// An offscreen drawable of a fixed size for use without any display: EGL on
// the first headless display that works (OpenOffscreenDisplay) with a
// desktop OpenGL compatibility context
// (so the fixed-function calls work), drawing into a framebuffer object.
// Double buffered: drawing goes to the back image, SwapBuffers copies it to
// the front image, and ReadPixels reads the front image.
class EglDevice final : public GLDevice {
public:
    // Colour depth this offscreen "display" reports: 8 bits per channel.
    static constexpr int kColorDepth = 32;

    EglDevice(int width, int height);
    ~EglDevice() override;
    EglDevice(const EglDevice&) = delete;
    EglDevice& operator=(const EglDevice&) = delete;

    int QueryColorDepth() override;
    int ChoosePixelFormat(const PixelFormatDescriptor& request) override;
    bool SetPixelFormat(int format, const PixelFormatDescriptor& request) override;
    GLRenderContext CreateContext() override;
    bool MakeCurrent(GLRenderContext context) override;
    void DeleteContext(GLRenderContext context) override;
    bool SwapBuffers() override;

    int Width() const { return m_width; }
    int Height() const { return m_height; }

    // The presented image as RGBA bytes, rows from the top; needs this
    // device's context to be current. False when there is nothing to read.
    bool ReadPixels(std::vector<std::uint8_t>& rgba);

    // What went wrong first, for the user; empty while all is well.
    const std::string& GetLastError() const { return m_lastError; }

private:
    struct Framebuffers {
        unsigned drawFramebuffer = 0;
        unsigned presentFramebuffer = 0;
        unsigned renderbuffers[3] = {0, 0, 0}; // back colour, depth/stencil, front colour
    };

    bool CreateFramebuffers();
    bool Fail(const std::string& message);

    int m_width;
    int m_height;
    void* m_display = nullptr; // EGLDisplay, null when EGL could not be opened
    void* m_config = nullptr;  // EGLConfig the contexts are made with; null for none
    bool m_ready = false;      // the display can make contexts without a window
    int m_format = 0;
    bool m_stencil = false;
    GLRenderContext m_context = nullptr; // the one context whose framebuffers exist
    bool m_framebuffersMade = false;
    Framebuffers m_framebuffers;
    std::string m_lastError;
};

} // namespace curvix
