#pragma once

#include "CurvixScene.h"
#include "GLDevice.h"
#include "View.h"

#include <memory>

namespace curvix {

class CCurvixDoc;

// Holds the view's drawable. As a base listed before CCurvixScene it
// outlives the rendering context, which is released on it.
struct CViewSurface {
    std::unique_ptr<GLDevice> m_pSurface;
};

// The one view window: an OpenGL scene in a native child window of the
// frame. It is never erased or painted by the window system; every paint
// is a full OpenGL frame and a buffer swap. A left-button drag turns the
// scene, a double click turns it back.
class CCurvixView : public CView, private CViewSurface, public CCurvixScene {
public:
    CCurvixView();
    ~CCurvixView() override;

    CCurvixDoc* GetDocument() const { return CCurvixScene::GetDocument(); }

    bool PaintsOwnSurface() const override { return true; }
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

    // The client area in device pixels: what the viewport covers, the
    // projection steps get and the size pane shows.
    void OnSize(int width, int height) override;
    void OnPaint() override;
    void OnScaleChanged() override;
    void OnLButtonDown(CPoint point) override;
    void OnLButtonUp(CPoint point) override;
    void OnMouseMove(CPoint point) override;
    void OnLButtonDblClk(CPoint point) override;

private:
    CSize m_sizeProjected; // the device size of the last size step
};

} // namespace curvix
