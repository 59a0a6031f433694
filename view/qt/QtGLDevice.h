#pragma once

#include "GLDevice.h"

#include <QSurfaceFormat>

class QWidget;

namespace curvix {

// The OpenGL drawable of a native child widget: its own window with a
// double-buffered OpenGL surface, and contexts made with QOpenGLContext.
// The pixel format must be set before the widget's window is created; the
// first MakeCurrent creates it.
class QtGLDevice final : public GLDevice {
public:
    explicit QtGLDevice(QWidget* widget);
    ~QtGLDevice() override;
    QtGLDevice(const QtGLDevice&) = delete;
    QtGLDevice& operator=(const QtGLDevice&) = delete;

    int QueryColorDepth() override;
    int ChoosePixelFormat(const PixelFormatDescriptor& request) override;
    bool SetPixelFormat(int format, const PixelFormatDescriptor& request) override;
    GLRenderContext CreateContext() override;
    bool MakeCurrent(GLRenderContext context) override;
    void DeleteContext(GLRenderContext context) override;
    bool SwapBuffers() override;

    // The surface format a request turns into.
    static QSurfaceFormat FormatFor(const PixelFormatDescriptor& request);

private:
    // The request had no alpha channel, but the surface got one (EGL on
    // Wayland offers no other configuration): a compositor would blend the
    // frame by the alpha the clear left, so the alpha is set to 1 before
    // the frame is shown.
    void MakeFrameOpaque();

    QWidget* m_widget;
    QSurfaceFormat m_format;
    bool m_formatSet = false;
};

} // namespace curvix
