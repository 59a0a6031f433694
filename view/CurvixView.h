#pragma once

#include "CurvixScene.h"
#include "QtGLDevice.h"
#include "View.h"

#include <memory>

namespace curvix {

class CCurvixDoc;
class ChildExposure;

// Holds the view's drawable. As a base listed before CCurvixScene it
// outlives the rendering context, which is released on it.
struct CViewSurface {
    std::unique_ptr<QtGLDevice> m_pSurface;
};

// The one view window: an OpenGL scene in a native child window of the
// frame. It is never erased or painted by Qt; every paint is a full OpenGL
// frame and a buffer swap. A left-button drag turns the scene, a double
// click turns it back.
class CCurvixView : public CView, private CViewSurface, public CCurvixScene {
public:
    CCurvixView();
    ~CCurvixView() override;

    CCurvixDoc* GetDocument() const { return CCurvixScene::GetDocument(); }

    // Window creation: the rendering context on the view's own surface,
    // the OpenGL state, then the document's scene numbers.
    int OnCreate(LPCREATESTRUCT lpCreateStruct) override;
    // The document's numbers may have changed (New, a load): the projection
    // is set again before the repaint.
    void OnUpdate(CViewBase* sender, long hint, void* hintObject) override;
    // A document loaded before the frame was the main window (a file named
    // at start-up) gets its curve now.
    void OnInitialUpdate() override;

    // The frame window the view lies in.
    CCurveFrame* GetCurveFrame() const override;

    // All three angles to 0 and a repaint.
    void ResetRotation();

    // Makes the view's rendering context current; false without one.
    bool MakeCurrent();

    QPaintEngine* paintEngine() const override { return nullptr; }

    // The client area in device pixels: what the viewport covers, the
    // projection steps get and the size pane shows. On a scaled display it
    // is the widget's size times the device pixel ratio.
    QSize DeviceSize() const { return DeviceSize(size()); }
    QSize DeviceSize(QSize logical) const;

protected:
    void OnSize(int width, int height);
    void OnLButtonDown(Point point);
    void OnLButtonUp();
    void OnMouseMove(Point point);
    void OnLButtonDblClk();

    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // Under Wayland, lets pointer input pass through the view's surface.
    void TakeNoInput();

    QSize m_sizeProjected;      // the device size of the last size step
    ChildExposure* m_pExposure; // a child QObject of the view
};

} // namespace curvix
