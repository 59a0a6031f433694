#include "QtGLDevice.h"

#include "WindowGLDevice.h"

#include <GL/gl.h>
#include <QOpenGLContext>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace curvix {

namespace {

QOpenGLContext* ToQt(GLRenderContext context) {
    return reinterpret_cast<QOpenGLContext*>(context);
}

} // namespace

QtGLDevice::QtGLDevice(QWidget* widget) : m_widget(widget) {}

QtGLDevice::~QtGLDevice() = default;

int QtGLDevice::QueryColorDepth() {
    const QScreen* screen = m_widget->screen();
    return screen != nullptr ? screen->depth() : 0;
}

int QtGLDevice::ChoosePixelFormat(const PixelFormatDescriptor& request) {
    // Qt chooses the closest configuration itself when the window is made;
    // there is one format to offer.
    return request.supportOpenGL && request.drawToWindow ? 1 : 0;
}

QSurfaceFormat QtGLDevice::FormatFor(const PixelFormatDescriptor& request) {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    // The scene uses the fixed-function pipeline.
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setVersion(2, 1);
    const int channel = request.colorBits >= 24 ? 8 : (request.colorBits >= 16 ? 5 : 8);
    format.setRedBufferSize(channel);
    format.setGreenBufferSize(channel);
    format.setBlueBufferSize(channel);
    format.setAlphaBufferSize(request.alphaBits);
    format.setDepthBufferSize(request.depthBits);
    format.setStencilBufferSize(request.stencilBits);
    format.setSwapBehavior(request.doubleBuffer ? QSurfaceFormat::DoubleBuffer
                                                : QSurfaceFormat::SingleBuffer);
    format.setSwapInterval(0);
    return format;
}

bool QtGLDevice::SetPixelFormat(int format, const PixelFormatDescriptor& request) {
    QWindow* window = m_widget->windowHandle();
    if (format == 0 || window == nullptr) {
        return false;
    }
    if (window->handle() != nullptr) {
        // A window's format is fixed once it exists; only the one it was
        // made with is accepted again.
        return m_formatSet && FormatFor(request) == m_format;
    }
    m_format = FormatFor(request);
    m_formatSet = true;
    window->setSurfaceType(QSurface::OpenGLSurface);
    window->setFormat(m_format);
    return true;
}

GLRenderContext QtGLDevice::CreateContext() {
    auto* context = new QOpenGLContext;
    context->setFormat(m_format);
    if (QScreen* screen = m_widget->screen()) {
        context->setScreen(screen);
    }
    if (!context->create()) {
        delete context;
        return nullptr;
    }
    return reinterpret_cast<GLRenderContext>(context);
}

bool QtGLDevice::MakeCurrent(GLRenderContext context) {
    if (context == nullptr) {
        if (QOpenGLContext* current = QOpenGLContext::currentContext()) {
            current->doneCurrent();
        }
        return true;
    }
    m_widget->winId(); // creates the native window with the format set above
    QWindow* window = m_widget->windowHandle();
    return window != nullptr && ToQt(context)->makeCurrent(window);
}

void QtGLDevice::DeleteContext(GLRenderContext context) {
    delete ToQt(context);
}

bool QtGLDevice::SwapBuffers() {
    QOpenGLContext* current = QOpenGLContext::currentContext();
    QWindow* window = m_widget->windowHandle();
    if (current == nullptr || window == nullptr || current->surface() != window) {
        return false;
    }
    if (m_format.alphaBufferSize() <= 0 && current->format().alphaBufferSize() > 0)
        MakeFrameOpaque();
    current->swapBuffers(window);
    return true;
}

void QtGLDevice::MakeFrameOpaque() {
    GLboolean mask[4] = {};
    GLfloat clear[4] = {};
    glGetBooleanv(GL_COLOR_WRITEMASK, mask);
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_TRUE);
    glClearColor(0.0F, 0.0F, 0.0F, 1.0F);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(clear[0], clear[1], clear[2], clear[3]);
    glColorMask(mask[0], mask[1], mask[2], mask[3]);
}

} // namespace curvix

namespace curvix {

std::unique_ptr<GLDevice> CreateWindowGLDevice(HWND hWnd) {
    return std::make_unique<QtGLDevice>(reinterpret_cast<QWidget*>(hWnd));
}

} // namespace curvix
