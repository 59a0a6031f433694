#include "CurvixView.h"

#include "CurveFrame.h"
#include "CurvixDoc.h"
#include "WindowGLDevice.h"

namespace curvix {

CCurvixView::CCurvixView() = default;

CCurvixView::~CCurvixView() = default;

int CCurvixView::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    if (CView::OnCreate(lpCreateStruct) == -1) {
        return -1;
    }
    SetAccessibleName("Plot");
    m_pSurface = CreateWindowGLDevice(GetSafeHwnd());
    // Without a context the view still exists and shows nothing.
    CreateGL(m_pSurface.get());
    AttachDocument(dynamic_cast<CCurvixDoc*>(CView::GetDocument()));
    return 0;
}

bool CCurvixView::MakeCurrent() {
    const GLRenderContext context = GetGLContext().GetHandle();
    return context != nullptr && m_pSurface != nullptr && m_pSurface->MakeCurrent(context);
}

void CCurvixView::OnUpdate(CViewBase* sender, long hint, void* hintObject) {
    if (MakeCurrent() && GetDocument() != nullptr) {
        const CSize device = GetClientDeviceSize();
        SetProjection(device.cx, device.cy);
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
    return dynamic_cast<CCurveFrame*>(GetParent());
}

void CCurvixView::ResetRotation() {
    ResetAngles();
    Invalidate();
}

void CCurvixView::OnSize(int width, int height) {
    m_sizeProjected = CSize{width, height};
    if (MakeCurrent() && GetDocument() != nullptr) {
        SetProjection(width, height);
    }
    if (CCurveFrame* frame = AfxGetCurveFrame()) {
        frame->ShowViewSize(width, height);
    }
}

void CCurvixView::OnScaleChanged() {
    // The window keeps its logical size but not its device size: a size
    // step and a repaint.
    const CSize device = GetClientDeviceSize();
    if (device != m_sizeProjected) {
        OnSize(device.cx, device.cy);
    }
    Invalidate();
}

void CCurvixView::OnPaint() {
    if (GetDocument() == nullptr || !MakeCurrent()) {
        return;
    }
    // A ratio can also change without a screen change (a compositor's
    // output scale); no frame is drawn with a viewport of the old size.
    const CSize device = GetClientDeviceSize();
    if (device != m_sizeProjected) {
        OnSize(device.cx, device.cy);
    }
    OnDraw(m_pSurface.get());
}

void CCurvixView::OnLButtonDown(CPoint point) {
    // The window system has grabbed the mouse for this window with the
    // press, so moves outside it keep arriving until the release.
    BeginDrag({point.x, point.y});
}

void CCurvixView::OnLButtonUp(CPoint) {
    EndDrag();
}

void CCurvixView::OnMouseMove(CPoint point) {
    if (DragTo({point.x, point.y})) {
        Invalidate();
    }
}

void CCurvixView::OnLButtonDblClk(CPoint) {
    ResetRotation();
}

} // namespace curvix
