// The scene: fixed OpenGL state, the projection for a window size, and one
// frame of axes, ticks, arrow heads and curve, drawn in whatever context is
// current.

#include "CurvixScene.h"
#include "GLApi.h"
#include "SceneGeometry.h"

namespace curvix {

namespace {

void SetDrawingColor(const GLApi& gl) {
    gl.Color3f(0.0F, 0.6F, 0.0F);
}

} // namespace

void CCurvixScene::InitGL() {
    const GLApi& gl = ActiveGLApi();
    gl.ShadeModel(GL_SMOOTH);
    gl.ClearColor(0.0F, 0.0F, 0.0F, 0.0F);
    // Blending stays disabled; the factors only matter if it is ever enabled.
    gl.BlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void CCurvixScene::SetProjection(int width, int height) {
    const GLApi& gl = ActiveGLApi();
    gl.Viewport(0, 0, width, height);
    gl.MatrixMode(GL_PROJECTION);
    gl.LoadIdentity();
    m_box = ProjectionBoxFor(m_pHalfExtents);
    m_viewportWidth = width;
    m_viewportHeight = height;
    const auto right = static_cast<double>(m_box.right);
    const auto top = static_cast<double>(m_box.top);
    gl.Ortho(-right, right, -top, top, kNearPlane, kFarPlane);
    gl.MatrixMode(GL_MODELVIEW);
    gl.LoadIdentity();
}

void CCurvixScene::OnDraw(GLDevice* pDevice) {
    RenderScene();
    if (pDevice != nullptr) {
        pDevice->SwapBuffers();
    }
}

void CCurvixScene::RenderScene() {
    const GLApi& gl = ActiveGLApi();
    gl.Clear(GL_COLOR_BUFFER_BIT);
    gl.LoadIdentity();
    gl.Rotatef(m_pRotation[2], 0.0F, 0.0F, 1.0F);
    gl.Rotatef(m_pRotation[0], 1.0F, 0.0F, 0.0F);
    DrawAxes();
    DrawCurve();
}

void CCurvixScene::DrawAxes() {
    const GLApi& gl = ActiveGLApi();
    const AxesGeometry axes = BuildAxes(m_pHalfExtents[0], m_pHalfExtents[1]);
    SetDrawingColor(gl);
    gl.Begin(GL_LINES);
    for (const PlotPoint& p : axes.lines) {
        gl.Vertex2f(p.x, p.y);
    }
    gl.End();
    gl.Begin(GL_TRIANGLES);
    for (const PlotPoint& p : axes.arrows) {
        gl.Vertex2f(p.x, p.y);
    }
    gl.End();
}

void CCurvixScene::DrawCurve() {
    const GLApi& gl = ActiveGLApi();
    const CurvePoints curve(m_vertices);
    gl.Begin(GL_LINE_STRIP);
    SetDrawingColor(gl);
    for (std::size_t i = 0; i < curve.Size(); ++i) {
        const PlotPoint p = curve[i];
        gl.Vertex2f(p.x, p.y);
    }
    gl.End();
}

FrameGeometry CCurvixScene::GetFrameGeometry() const {
    return MakeFrame(m_box, m_pHalfExtents, m_pRotation, m_vertices, m_viewportWidth,
                     m_viewportHeight);
}

} // namespace curvix
