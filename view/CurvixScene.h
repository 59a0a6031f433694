#pragma once

#include "CurveView.h"
#include "ExpressionEvaluator.h"
#include "GLContext.h"
#include "SceneGeometry.h"
#include "VertexArray.h"

#include <cstdint>
#include <iosfwd>

namespace curvix {

class CCurvixDoc;

// The window-free part of the view: owns the rendering context, the
// expression engine and the sampled curve, keeps pointers into its
// document's scene numbers for its whole life, and turns the scene as the
// mouse drags it. CCurvixView adds the window; tools and tests draw with this
// part alone.
class CCurvixScene : public CCurveView {
public:
    struct Point {
        std::int32_t x = 0;
        std::int32_t y = 0;
    };

    CCurvixScene() = default;
    CCurvixScene(const CCurvixScene&) = delete;
    CCurvixScene& operator=(const CCurvixScene&) = delete;
    ~CCurvixScene() override;

    // What window creation does with the document: remember it and take
    // the addresses of its scene groups, in the order rotation,
    // half-extents, range, step.
    void SetDocument(CCurvixDoc* document) { m_pDocument = document; }
    void SetScenePointers(float* rotation, float* halfExtents, float* range, float* step) {
        m_pRotation = rotation;
        m_pHalfExtents = halfExtents;
        m_pRange = range;
        m_pStep = step;
    }
    // Both for one document (null: none): the steps in that order.
    void AttachDocument(CCurvixDoc* document);
    CCurvixDoc* GetDocument() const { return m_pDocument; }

    // Samples the document's formula into m_vertices; the engine's and the
    // sampler's reports go to the engine's error stream.
    void ComputeCurve() override;
    void ComputeCurve(ReportTally& reports) override;

    // The OpenGL part of window creation: a context on the device (stencil
    // bits 0, result not needed: without a context nothing is drawn), then
    // the fixed OpenGL state.
    void CreateGL(GLDevice* pDevice) {
        m_glContext.Create(pDevice, 0);
        InitGL();
    }
    const GLContext& GetGLContext() const { return m_glContext; }

    // Drawing, in the current OpenGL context.
    void InitGL();
    // The size handler's projection steps for a client area in pixels.
    void SetProjection(int width, int height);
    // One frame, then the device shows it (nothing is swapped without one).
    void OnDraw(GLDevice* pDevice);
    void RenderScene();
    void DrawAxes();
    void DrawCurve();
    // What the next frame draws, as data: the axes and curve now, under the
    // box and viewport of the last projection and the angles now.
    FrameGeometry GetFrameGeometry() const;

    // The left-button drag: a press anchors it, every move while dragging
    // turns the scene one degree per pixel (right: first angle down; down:
    // third angle up) and tells whether it turned, a release ends it.
    void BeginDrag(Point point);
    bool DragTo(Point point);
    void EndDrag() { m_bDragging = false; }
    bool IsDragging() const { return m_bDragging; }
    // All three angles to 0.
    void ResetAngles();

    const VertexArray& GetVertices() const { return m_vertices; }
    VertexArray& GetVertices() { return m_vertices; }
    ExpressionEvaluator& GetEvaluator() { return m_evaluator; }

private:
    void SampleInto(std::ostream& errors);

    GLContext m_glContext;
    ExpressionEvaluator m_evaluator;
    VertexArray m_vertices;
    float* m_pHalfExtents = nullptr;
    float* m_pRotation = nullptr;
    float* m_pRange = nullptr;
    float* m_pStep = nullptr;
    ProjectionBox m_box;
    int m_viewportWidth = 0;
    int m_viewportHeight = 0;
    bool m_bDragging = false;
    Point m_ptLast;
    CCurvixDoc* m_pDocument = nullptr;
};

} // namespace curvix
