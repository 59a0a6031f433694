#include "CurvixView.h"

#include "ChildExposure.h"
#include "CurveFrame.h"
#include "CurvixDoc.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QRegion>
#include <QResizeEvent>
#include <QWindow>

namespace curvix {

namespace {

CCurvixScene::Point ToPoint(const QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    return {point.x(), point.y()};
}

} // namespace

CCurvixView::CCurvixView() {
    // A native window of its own that only OpenGL draws into.
    setAttribute(Qt::WA_NativeWindow);
    setAttribute(Qt::WA_PaintOnScreen);
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    setAccessibleName(QStringLiteral("Plot"));
    m_pSurface = std::make_unique<QtGLDevice>(this);
    m_pExposure = new ChildExposure(this);
}

CCurvixView::~CCurvixView() = default;

int CCurvixView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CView::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    // Without a context the view still exists and shows nothing.
    CreateGL(m_pSurface.get());
    auto* document = dynamic_cast<CCurvixDoc*>(CView::GetDocument());
    CCurvixScene::SetDocument(document);
    if (document != nullptr) {
        SetScenePointers(document->GetRotation(), document->GetHalfExtents(), document->GetRange(),
                         document->GetStep());
    }
    return 0;
}

bool CCurvixView::MakeCurrent() {
    const GLRenderContext context = GetGLContext().GetHandle();
    return context != nullptr && m_pSurface->MakeCurrent(context);
}

QSize CCurvixView::DeviceSize(QSize logical) const {
    return logical * devicePixelRatio();
}

void CCurvixView::OnUpdate(CViewBase* sender, long hint, void* hintObject) {
    if (MakeCurrent() && GetDocument() != nullptr) {
        const QSize device = DeviceSize();
        SetProjection(device.width(), device.height());
    }
    CView::OnUpdate(sender, hint, hintObject);
}

void CCurvixView::OnInitialUpdate() {
    if (CCurvixDoc* document = GetDocument()) {
        document->DrawPendingCurve();
    }
    CView::OnInitialUpdate();
}

CCurveFrame* CCurvixView::GetCurveFrame() const {
    return dynamic_cast<CCurveFrame*>(window());
}

void CCurvixView::ResetRotation() {
    ResetAngles();
    update();
}

void CCurvixView::OnSize(int width, int height) {
    m_sizeProjected = QSize(width, height);
    if (MakeCurrent() && GetDocument() != nullptr) {
        SetProjection(width, height);
    }
    if (CCurveFrame* frame = AfxGetCurveFrame()) {
        frame->ShowViewSize(width, height);
    }
}

void CCurvixView::OnLButtonDown(Point point) {
    // Qt has grabbed the mouse for this window with the press, so moves
    // outside it keep arriving until the release.
    BeginDrag(point);
}

void CCurvixView::OnLButtonUp() {
    EndDrag();
}

void CCurvixView::OnMouseMove(Point point) {
    if (DragTo(point)) {
        update();
    }
}

void CCurvixView::OnLButtonDblClk() {
    ResetRotation();
}

bool CCurvixView::event(QEvent* event) {
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
    // Moved to a screen with another pixel ratio, the window keeps its
    // logical size but not its device size: a size step and a repaint.
    if (event->type() == QEvent::ScreenChangeInternal) {
        const QSize device = DeviceSize();
        if (device != m_sizeProjected) {
            OnSize(device.width(), device.height());
        }
        update();
    }
    return CView::event(event);
}

void CCurvixView::TakeNoInput() {
    // A Wayland compositor gives the keyboard to the surface a click lands
    // on (Weston does), also to the view's subsurface; the frame then counts
    // as inactive. Without input of its own, the view gets the pointer from
    // the frame's surface, as any child does. Qt 6.4's Wayland plugin does
    // not act on the flag for a subsurface; an input region wholly outside
    // the surface, as a mask, leaves it none.
    QWindow* window = windowHandle();
    if (window == nullptr || !QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return;
    window->setFlag(Qt::WindowTransparentForInput);
    window->setMask(QRegion(-1, -1, 1, 1));
}

void CCurvixView::paintEvent(QPaintEvent*) {
    if (GetDocument() == nullptr || !MakeCurrent()) {
        return;
    }
    // A ratio can also change without a screen change (a compositor's
    // output scale); no frame is drawn with a viewport of the old size.
    const QSize device = DeviceSize();
    if (device != m_sizeProjected) {
        OnSize(device.width(), device.height());
    }
    OnDraw(m_pSurface.get());
}

void CCurvixView::resizeEvent(QResizeEvent* event) {
    const QSize device = DeviceSize(event->size());
    OnSize(device.width(), device.height());
}

void CCurvixView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        OnLButtonDown(ToPoint(event));
    }
}

void CCurvixView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        OnLButtonUp();
    }
}

void CCurvixView::mouseMoveEvent(QMouseEvent* event) {
    OnMouseMove(ToPoint(event));
}

void CCurvixView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        OnLButtonDblClk();
    }
}

} // namespace curvix
