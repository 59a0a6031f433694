#pragma once

#include "GLDevice.h"

#include <cstdint>

namespace curvix {

// Owns the one rendering context a view draws through. The pixel format
// request is made once per process, by the first SetupPixelFormat, and every
// later context asks for the same.
class GLContext {
public:
    GLContext() = default;
    GLContext(const GLContext&) = delete;
    GLContext& operator=(const GLContext&) = delete;
    virtual ~GLContext();

    // Sets the pixel format on the device, creates a context on it and makes
    // it current. False for a null device or a refused format; a context that
    // cannot be created still gives true, with no context stored.
    bool Create(GLDevice* pDevice, std::uint8_t stencilBits);
    bool SetupPixelFormat(GLDevice* pDevice, std::uint8_t stencilBits);

    GLRenderContext GetHandle() const { return m_hRC; }

    // The request every context of this process is made with.
    static const PixelFormatDescriptor& GetPixelFormatRequest();

private:
    void Release();

    GLRenderContext m_hRC = nullptr;
    GLDevice* m_pDevice = nullptr; // where m_hRC lives; must outlive this object
};

} // namespace curvix
