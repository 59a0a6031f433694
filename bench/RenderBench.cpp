// One frame of the scene with a curve of 1,000,000 points: the whole frame
// through Mesa's software renderer offscreen, and the drawing code's own
// cost with OpenGL replaced by functions that do nothing.

#include "CurvixScene.h"
#include "EglDevice.h"
#include "GLApi.h"
#include "SceneSettings.h"

#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

constexpr int kCurvePoints = 1'000'000;

void FillCurve(curvix::CCurvixScene& view) {
    curvix::VertexArray& curve = view.GetVertices();
    curve.Reserve(2 * kCurvePoints);
    for (int i = 0; i < kCurvePoints; ++i) {
        const float x = -10.0F + 20.0F * static_cast<float>(i) / kCurvePoints;
        curve.Append(x);
        curve.Append(x * x / 10.0F);
    }
}

void BM_FrameWithMillionPointCurve(benchmark::State& state) {
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    curvix::EglDevice device(600, 600);
    curvix::SceneSettings scene;
    curvix::CCurvixScene view;
    view.SetScenePointers(scene.rotation, scene.halfExtents, scene.range, &scene.step);
    view.CreateGL(&device);
    if (view.GetGLContext().GetHandle() == nullptr || !device.GetLastError().empty()) {
        state.SkipWithError(("no OpenGL context: " + device.GetLastError()).c_str());
        return;
    }
    FillCurve(view);
    view.SetProjection(600, 600);
    for (auto _ : state) {
        view.OnDraw(&device);
        glFinish(); // the frame counts when it is drawn, not when it is queued
    }
    state.SetItemsProcessed(state.iterations() * kCurvePoints);
}
BENCHMARK(BM_FrameWithMillionPointCurve)->Unit(benchmark::kMillisecond);

namespace nop {
void Enum(GLenum) {}
void Clamp4(GLclampf, GLclampf, GLclampf, GLclampf) {}
void Enum2(GLenum, GLenum) {}
void Viewport(GLint, GLint, GLsizei, GLsizei) {}
void Void() {}
void Ortho(GLdouble, GLdouble, GLdouble, GLdouble, GLdouble, GLdouble) {}
void Clear(GLbitfield) {}
void Float4(GLfloat, GLfloat, GLfloat, GLfloat) {}
void Float3(GLfloat, GLfloat, GLfloat) {}
void Float2(GLfloat, GLfloat) {}
} // namespace nop

const curvix::GLApi kNoOpApi = {nop::Enum, nop::Clamp4, nop::Enum2, nop::Viewport, nop::Enum,
                                nop::Void, nop::Ortho,  nop::Clear, nop::Float4,   nop::Float3,
                                nop::Enum, nop::Float2, nop::Void};

void BM_DrawingCodeAloneMillionPoints(benchmark::State& state) {
    curvix::SceneSettings scene;
    curvix::CCurvixScene view;
    view.SetScenePointers(scene.rotation, scene.halfExtents, scene.range, &scene.step);
    FillCurve(view);
    curvix::ScopedGLApi noOp(kNoOpApi);
    for (auto _ : state) {
        view.RenderScene();
    }
    state.SetItemsProcessed(state.iterations() * kCurvePoints);
}
BENCHMARK(BM_DrawingCodeAloneMillionPoints)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
