#include "GLContext.h"

namespace curvix {

namespace {

// Used when the display cannot tell its depth: true colour.
constexpr int kFallbackColorDepth = 32;
constexpr std::uint8_t kDepthBufferBits = 16;

PixelFormatDescriptor g_request; // fixed part: window, OpenGL, double buffer, RGBA
bool g_requestFilled = false;

} // namespace

const PixelFormatDescriptor& GLContext::GetPixelFormatRequest() {
    return g_request;
}

GLContext::~GLContext() {
    Release();
}

void GLContext::Release() {
    if (m_hRC == nullptr) {
        return;
    }
    m_pDevice->MakeCurrent(nullptr);
    m_pDevice->DeleteContext(m_hRC);
    m_hRC = nullptr;
}

bool GLContext::Create(GLDevice* pDevice, std::uint8_t stencilBits) {
    if (pDevice == nullptr) {
        return false;
    }
    if (!SetupPixelFormat(pDevice, stencilBits)) {
        return false;
    }
    // A repeated Create must not leak the context made before.
    Release();
    m_hRC = pDevice->CreateContext();
    m_pDevice = pDevice;
    pDevice->MakeCurrent(m_hRC);
    return true;
}

bool GLContext::SetupPixelFormat(GLDevice* pDevice, std::uint8_t stencilBits) {
    const int displayDepth = pDevice->QueryColorDepth();
    if (!g_requestFilled) {
        const int depth = displayDepth > 0 ? displayDepth : kFallbackColorDepth;
        g_request.colorBits = static_cast<std::uint8_t>(depth & 0xFF);
        g_request.alphaBits = 0;
        g_request.accumBits = 0;
        g_request.depthBits = kDepthBufferBits;
        g_request.stencilBits = stencilBits;
        g_request.auxBuffers = 0;
        g_request.mainPlane = true;
        g_requestFilled = true;
    }
    const int format = pDevice->ChoosePixelFormat(g_request);
    return pDevice->SetPixelFormat(format, g_request);
}

} // namespace curvix
