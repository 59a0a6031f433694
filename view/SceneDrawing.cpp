// The scene: fixed OpenGL state, the projection for a window size, and one
// frame of axes, ticks, arrow heads and curve, drawn in whatever context is
// current.

#include "CurvixScene.h"
#include "GLApi.h"
#include "TickLimits.h"

namespace curvix {

namespace {

constexpr float kMargin = 1.0F; // projection box beyond each half-extent
constexpr float kTickSpacing = 1.0F;
constexpr float kTickHalfLength = 0.15F;
constexpr float kArrowTipOut = 0.1F;
constexpr float kArrowBaseIn = 0.3F;
constexpr float kArrowHalfWidth = 0.2F;
constexpr double kNearPlane = -100.0;
constexpr double kFarPlane = 100.0;

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
    const float right = m_pHalfExtents[0] + kMargin;
    const float top = m_pHalfExtents[1] + kMargin;
    gl.Ortho(-static_cast<double>(right), static_cast<double>(right), -static_cast<double>(top),
             static_cast<double>(top), kNearPlane, kFarPlane);
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
    const float ex = m_pHalfExtents[0];
    const float ey = m_pHalfExtents[1];
    SetDrawingColor(gl);

    gl.Begin(GL_LINES);
    gl.Vertex2f(0.0F, ey);
    gl.Vertex2f(0.0F, -ey);
    gl.Vertex2f(-ex, 0.0F);
    gl.Vertex2f(ex, 0.0F);
    if (TickLoopEnds(ex)) {
        for (float t = kTickSpacing - ex; t <= ex - kTickSpacing; t += kTickSpacing) {
            gl.Vertex2f(t, kTickHalfLength);
            gl.Vertex2f(t, -kTickHalfLength);
        }
    }
    if (TickLoopEnds(ey)) {
        for (float t = kTickSpacing - ey; t <= ey - kTickSpacing; t += kTickSpacing) {
            gl.Vertex2f(kTickHalfLength, t);
            gl.Vertex2f(-kTickHalfLength, t);
        }
    }
    gl.End();

    gl.Begin(GL_TRIANGLES);
    gl.Vertex2f(0.0F, ey + kArrowTipOut);
    gl.Vertex2f(-kArrowHalfWidth, ey - kArrowBaseIn);
    gl.Vertex2f(kArrowHalfWidth, ey - kArrowBaseIn);
    gl.Vertex2f(ex + kArrowTipOut, 0.0F);
    gl.Vertex2f(ex - kArrowBaseIn, -kArrowHalfWidth);
    gl.Vertex2f(ex - kArrowBaseIn, kArrowHalfWidth);
    gl.End();
}

void CCurvixScene::DrawCurve() {
    const GLApi& gl = ActiveGLApi();
    const std::size_t count = m_vertices.Size();
    const float* values = m_vertices.Data();
    gl.Begin(GL_LINE_STRIP);
    SetDrawingColor(gl);
    // A trailing odd element would have no partner; the sampler never leaves one.
    for (std::size_t i = 0; i + 1 < count; i += 2) {
        gl.Vertex2f(values[i], values[i + 1]);
    }
    gl.End();
}

} // namespace curvix
