#include "ChildExposure.h"
#include "View.h"
#include "WndQt.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QRegion>
#include <QResizeEvent>
#include <QWindow>

namespace curvix {

namespace {

CPoint PointOf(const QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    return {point.x(), point.y()};
}

// The view's window: its events go to the view object. A view that paints
// its own surface gets a native window that Qt never erases or paints.
class ViewWindowQt : public QWidget {
public:
    ViewWindowQt(CView& owner, QWidget* parent)
        : QWidget(parent), m_owner(owner), m_bOwnSurface(owner.PaintsOwnSurface()) {
        setFocusPolicy(Qt::StrongFocus);
        if (!m_bOwnSurface)
            return;
        setAttribute(Qt::WA_NativeWindow);
        setAttribute(Qt::WA_PaintOnScreen);
        setAttribute(Qt::WA_NoSystemBackground);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAutoFillBackground(false);
        m_pExposure = new ChildExposure(this);
    }

    QPaintEngine* paintEngine() const override {
        return m_bOwnSurface ? nullptr : QWidget::paintEngine();
    }

protected:
    bool event(QEvent* event) override {
        if (m_bOwnSurface) {
            switch (event->type()) {
            case QEvent::WinIdChange:
                TakeNoInput();
                m_pExposure->WatchTopLevel();
                break;
            case QEvent::Show:
            case QEvent::ParentChange:
                m_pExposure->WatchTopLevel();
                break;
            case QEvent::UpdateRequest:
                m_pExposure->ExposeIfMissed();
                break;
            default:
                break;
            }
        }
        // Moved to a screen with another pixel ratio, the window keeps its
        // logical size but not its device size.
        if (event->type() == QEvent::ScreenChangeInternal)
            m_owner.OnScaleChanged();
        return QWidget::event(event);
    }

    void paintEvent(QPaintEvent*) override { m_owner.OnPaint(); }

    void resizeEvent(QResizeEvent* event) override {
        const QSize device = event->size() * devicePixelRatio();
        m_owner.OnSize(device.width(), device.height());
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            m_owner.OnLButtonDown(PointOf(event));
    }

    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            m_owner.OnLButtonUp(PointOf(event));
    }

    void mouseMoveEvent(QMouseEvent* event) override { m_owner.OnMouseMove(PointOf(event)); }

    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            m_owner.OnLButtonDblClk(PointOf(event));
    }

private:
    // A Wayland compositor gives the keyboard to the surface a click lands
    // on (Weston does), also to the view's subsurface; the frame then counts
    // as inactive. Without input of its own, the view gets the pointer from
    // the frame's surface, as any child does. Qt 6.4's Wayland plugin does
    // not act on the flag for a subsurface; an input region wholly outside
    // the surface, as a mask, leaves it none.
    void TakeNoInput() {
        QWindow* window = windowHandle();
        if (window == nullptr ||
            !QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
            return;
        window->setFlag(Qt::WindowTransparentForInput);
        window->setMask(QRegion(-1, -1, 1, 1));
    }

    CView& m_owner;
    const bool m_bOwnSurface;
    ChildExposure* m_pExposure = nullptr; // a child QObject of a window with its own surface
};

} // namespace

CView::~CView() {
    DestroyWindow();
}

bool CView::Create(CWnd* pParentWnd) {
    if (m_hWnd != nullptr || pParentWnd == nullptr)
        return false;
    m_pParent = pParentWnd;
    m_hWnd = AfxHwnd(new ViewWindowQt(*this, AfxQtWidget(pParentWnd)));
    return true;
}

CSize CView::GetClientDeviceSize() const {
    const QWidget* widget = AfxQtWidget(m_hWnd);
    return widget != nullptr ? AfxCSize(widget->size() * widget->devicePixelRatio()) : CSize{};
}

void CView::SetAccessibleName(const std::string& name) {
    if (QWidget* widget = AfxQtWidget(m_hWnd))
        widget->setAccessibleName(AfxQString(name));
}

} // namespace curvix
