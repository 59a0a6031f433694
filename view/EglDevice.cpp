#define GL_GLEXT_PROTOTYPES 1

#include "EglDevice.h"

#include "EglDisplay.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <cstring>

namespace curvix {

namespace {

// The formats this device offers.
enum Format : int { kNoFormat = 0, kRgba8 = 1, kRgb565 = 2 };

} // namespace

EglDevice::EglDevice(int width, int height) : m_width(width), m_height(height) {
    if (width <= 0 || height <= 0) {
        Fail("image size must be positive");
        return;
    }
    OffscreenDisplay offscreen = OpenOffscreenDisplay();
    if (offscreen.display == nullptr) {
        Fail(offscreen.error);
        return;
    }
    // All devices share this one display.
    m_display = offscreen.display;
    m_config = offscreen.config;
    m_ready = true;
}

EglDevice::~EglDevice() {
    if (m_display == nullptr) {
        return;
    }
    // A context still alive here was not deleted by its owner; it cannot
    // outlive the drawable it draws into.
    if (m_context != nullptr) {
        auto* context = static_cast<EGLContext>(m_context);
        if (eglGetCurrentContext() == context) {
            eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        }
        eglDestroyContext(m_display, context);
    }
}

bool EglDevice::Fail(const std::string& message) {
    // The first failure is the cause; what follows from it adds nothing.
    if (m_lastError.empty()) {
        m_lastError = message;
    }
    return false;
}

int EglDevice::QueryColorDepth() {
    return kColorDepth;
}

int EglDevice::ChoosePixelFormat(const PixelFormatDescriptor& request) {
    if (!m_ready || !request.supportOpenGL || !request.rgba) {
        return kNoFormat;
    }
    return request.colorBits <= 16 ? kRgb565 : kRgba8;
}

bool EglDevice::SetPixelFormat(int format, const PixelFormatDescriptor& request) {
    if (format != kRgba8 && format != kRgb565) {
        return Fail("no OpenGL pixel format available");
    }
    // Like a window's, the format can be set once.
    if (m_format != kNoFormat && m_format != format) {
        return Fail("pixel format already set");
    }
    m_format = format;
    m_stencil = request.stencilBits != 0;
    return true;
}

GLRenderContext EglDevice::CreateContext() {
    if (!m_ready || m_format == kNoFormat) {
        return nullptr;
    }
    if (eglBindAPI(EGL_OPENGL_API) == EGL_FALSE) {
        Fail("EGL offers no desktop OpenGL");
        return nullptr;
    }
    const EGLint attributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                 EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    EGLContext context = eglCreateContext(
        m_display, m_config != nullptr ? static_cast<EGLConfig>(m_config) : EGL_NO_CONFIG_KHR,
        EGL_NO_CONTEXT, attributes);
    if (context == EGL_NO_CONTEXT) {
        Fail("cannot create an OpenGL context");
        return nullptr;
    }
    return static_cast<GLRenderContext>(context);
}

bool EglDevice::MakeCurrent(GLRenderContext context) {
    if (m_display == nullptr) {
        return false;
    }
    if (context == nullptr) {
        return eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT) ==
               EGL_TRUE;
    }
    if (eglMakeCurrent(m_display, EGL_NO_SURFACE, EGL_NO_SURFACE, context) == EGL_FALSE) {
        return Fail("cannot make the OpenGL context current");
    }
    if (m_context == nullptr) {
        m_context = context;
        m_framebuffersMade = CreateFramebuffers();
        return m_framebuffersMade;
    }
    if (m_context != context) {
        return Fail("the device already draws through another context");
    }
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, m_framebuffers.drawFramebuffer);
    return m_framebuffersMade;
}

bool EglDevice::CreateFramebuffers() {
    Framebuffers& fb = m_framebuffers;
    glGenRenderbuffers(3, fb.renderbuffers);
    const GLenum colorFormat = m_format == kRgb565 ? GL_RGB565 : GL_RGBA8;
    glBindRenderbuffer(GL_RENDERBUFFER, fb.renderbuffers[0]);
    glRenderbufferStorage(GL_RENDERBUFFER, colorFormat, m_width, m_height);
    glBindRenderbuffer(GL_RENDERBUFFER, fb.renderbuffers[1]);
    glRenderbufferStorage(GL_RENDERBUFFER, m_stencil ? GL_DEPTH24_STENCIL8 : GL_DEPTH_COMPONENT16,
                          m_width, m_height);
    glBindRenderbuffer(GL_RENDERBUFFER, fb.renderbuffers[2]);
    glRenderbufferStorage(GL_RENDERBUFFER, colorFormat, m_width, m_height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);

    glGenFramebuffers(1, &fb.presentFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, fb.presentFramebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                              fb.renderbuffers[2]);
    const bool presentComplete =
        glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;

    glGenFramebuffers(1, &fb.drawFramebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, fb.drawFramebuffer);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                              fb.renderbuffers[0]);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER,
                              m_stencil ? GL_DEPTH_STENCIL_ATTACHMENT : GL_DEPTH_ATTACHMENT,
                              GL_RENDERBUFFER, fb.renderbuffers[1]);
    const bool drawComplete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    if (!presentComplete || !drawComplete) {
        return Fail("the OpenGL implementation cannot draw offscreen at this size");
    }
    // Nothing has been presented yet: the front image starts black.
    glBindFramebuffer(GL_FRAMEBUFFER, fb.presentFramebuffer);
    glClearColor(0.0F, 0.0F, 0.0F, 0.0F);
    glClear(GL_COLOR_BUFFER_BIT);
    glBindFramebuffer(GL_FRAMEBUFFER, fb.drawFramebuffer);
    return true;
}

void EglDevice::DeleteContext(GLRenderContext context) {
    if (m_display == nullptr || context == nullptr) {
        return;
    }
    // The framebuffers go with the context that owns them.
    eglDestroyContext(m_display, static_cast<EGLContext>(context));
    if (context == m_context) {
        m_context = nullptr;
        m_framebuffersMade = false;
        m_framebuffers = Framebuffers{};
    }
}

bool EglDevice::SwapBuffers() {
    if (!m_framebuffersMade || eglGetCurrentContext() != static_cast<EGLContext>(m_context)) {
        return false;
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, m_framebuffers.drawFramebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, m_framebuffers.presentFramebuffer);
    glBlitFramebuffer(0, 0, m_width, m_height, 0, 0, m_width, m_height, GL_COLOR_BUFFER_BIT,
                      GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffers.drawFramebuffer);
    return true;
}

bool EglDevice::ReadPixels(std::vector<std::uint8_t>& rgba) {
    if (!m_framebuffersMade || eglGetCurrentContext() != static_cast<EGLContext>(m_context)) {
        return Fail("no OpenGL context to read the image from");
    }
    const std::size_t rowBytes = static_cast<std::size_t>(m_width) * 4;
    std::vector<std::uint8_t> bottomUp(rowBytes * static_cast<std::size_t>(m_height));
    glBindFramebuffer(GL_READ_FRAMEBUFFER, m_framebuffers.presentFramebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, m_width, m_height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffers.drawFramebuffer);
    // OpenGL counts rows from the bottom; images count them from the top.
    rgba.resize(bottomUp.size());
    for (int row = 0; row < m_height; ++row) {
        std::memcpy(rgba.data() + static_cast<std::size_t>(row) * rowBytes,
                    bottomUp.data() + static_cast<std::size_t>(m_height - 1 - row) * rowBytes,
                    rowBytes);
    }
    return true;
}

} // namespace curvix
