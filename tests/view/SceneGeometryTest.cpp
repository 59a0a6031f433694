// The exact OpenGL calls of the scene drawing, checked through a recorder.

#include "CurvixScene.h"
#include "GLRecorder.h"
#include "SceneSettings.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <ostream>
#include <utility>
#include <vector>

namespace curvix {
namespace {

using test::GLCall;
using test::GLRecorder;
using Vertices = std::vector<std::pair<float, float>>;

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

GLCall Call(const char* name, std::vector<double> args = {}) {
    return GLCall{name, std::move(args)};
}
GLCall Vertex(float x, float y) {
    return Call("Vertex2f", {x, y});
}
GLCall Green() {
    return Call("Color3f", {0.0F, 0.6F, 0.0F});
}

class SceneGeometryTest : public ::testing::Test {
protected:
    SceneGeometryTest() {
        view.SetScenePointers(scene.rotation, scene.halfExtents, scene.range, &scene.step);
    }

    void AddPoint(float x, float y) {
        view.GetVertices().Append(x);
        view.GetVertices().Append(y);
    }

    SceneSettings scene;
    CCurvixScene view;
    GLRecorder recorder;
};

TEST_F(SceneGeometryTest, InitGLSetsShadingClearColourAndBlendFactors) {
    view.InitGL();
    const std::vector<GLCall> expected = {
        Call("ShadeModel", {GL_SMOOTH}),
        Call("ClearColor", {0, 0, 0, 0}),
        Call("BlendFunc", {GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA}),
    };
    EXPECT_EQ(recorder.Calls(), expected);
}

TEST_F(SceneGeometryTest, CreationSetsTheFixedStateEvenWithoutAContext) {
    test::SwapLoggingDevice refusesEveryFormat;
    view.CreateGL(&refusesEveryFormat);
    EXPECT_EQ(view.GetGLContext().GetHandle(), nullptr);
    ASSERT_EQ(recorder.Calls().size(), 3U);
    EXPECT_EQ(recorder.Calls().front(), Call("ShadeModel", {GL_SMOOTH}));
}

TEST_F(SceneGeometryTest, ProjectionFramesHalfExtentsWithSingleUnitMargin) {
    scene.halfExtents[0] = 10.0F;
    scene.halfExtents[1] = 0.1F;
    view.SetProjection(600, 400);
    // The margin is added in single precision: 0.1f + 1 is not 1.1.
    const double top = static_cast<double>(0.1F + 1.0F);
    const std::vector<GLCall> expected = {
        Call("Viewport", {0, 0, 600, 400}),
        Call("MatrixMode", {GL_PROJECTION}),
        Call("LoadIdentity"),
        Call("Ortho", {-11.0, 11.0, -top, top, -100.0, 100.0}),
        Call("MatrixMode", {GL_MODELVIEW}),
        Call("LoadIdentity"),
    };
    EXPECT_EQ(recorder.Calls(), expected);
}

TEST_F(SceneGeometryTest, DefaultFrameIssuesEveryCallInOrderThenSwaps) {
    scene.rotation[0] = 30.0F;
    scene.rotation[1] = 45.0F;
    scene.rotation[2] = -20.0F;
    AddPoint(-1.0F, 2.0F);
    AddPoint(3.0F, 4.5F);
    test::SwapLoggingDevice device;
    view.OnDraw(&device);

    std::vector<GLCall> expected = {
        Call("Clear", {GL_COLOR_BUFFER_BIT}),
        Call("LoadIdentity"),
        Call("Rotatef", {-20, 0, 0, 1}),
        Call("Rotatef", {30, 1, 0, 0}),
        Green(),
        Call("Begin", {GL_LINES}),
        Vertex(0, 10),
        Vertex(0, -10),
        Vertex(-10, 0),
        Vertex(10, 0),
    };
    for (int t = -9; t <= 9; ++t) {
        expected.push_back(Vertex(float(t), 0.15F));
        expected.push_back(Vertex(float(t), -0.15F));
    }
    for (int t = -9; t <= 9; ++t) {
        expected.push_back(Vertex(0.15F, float(t)));
        expected.push_back(Vertex(-0.15F, float(t)));
    }
    const std::vector<GLCall> rest = {
        Call("End"),
        Call("Begin", {GL_TRIANGLES}),
        Vertex(0, 10.0F + 0.1F),
        Vertex(-0.2F, 10.0F - 0.3F),
        Vertex(0.2F, 10.0F - 0.3F),
        Vertex(10.0F + 0.1F, 0),
        Vertex(10.0F - 0.3F, -0.2F),
        Vertex(10.0F - 0.3F, 0.2F),
        Call("End"),
        Call("Begin", {GL_LINE_STRIP}),
        Green(),
        Vertex(-1, 2),
        Vertex(3, 4.5F),
        Call("End"),
        Call("SwapBuffers"),
    };
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(recorder.Calls(), expected);
}

TEST_F(SceneGeometryTest, WithoutDeviceTheFrameIsDrawnButNotSwapped) {
    view.OnDraw(nullptr);
    ASSERT_FALSE(recorder.Calls().empty());
    EXPECT_EQ(recorder.Calls().front(), Call("Clear", {GL_COLOR_BUFFER_BIT}));
    EXPECT_EQ(recorder.Calls().back(), Call("End"));
}

TEST_F(SceneGeometryTest, SecondAngleTakesNoPartInDrawing) {
    scene.rotation[0] = 12.0F;
    scene.rotation[2] = 34.0F;
    view.RenderScene();
    const std::vector<GLCall> withZero = recorder.Calls();
    recorder.Clear();
    scene.rotation[1] = 77.0F;
    view.RenderScene();
    EXPECT_EQ(recorder.Calls(), withZero);
}

TEST_F(SceneGeometryTest, ArrowHeadsUseSinglePrecisionSums) {
    scene.halfExtents[0] = 10.7F;
    scene.halfExtents[1] = 3.3F;
    view.DrawAxes();
    const Vertices expected = {
        {0.0F, 3.3F + 0.1F},  {-0.2F, 3.3F - 0.3F},  {0.2F, 3.3F - 0.3F},
        {10.7F + 0.1F, 0.0F}, {10.7F - 0.3F, -0.2F}, {10.7F - 0.3F, 0.2F},
    };
    EXPECT_EQ(recorder.Batch(GL_TRIANGLES), expected);
}

struct TickCase {
    float halfExtent;
    int ticks;       // expected count on that axis
    float firstTick; // position of the first, when there is one
};

void PrintTo(const TickCase& c, std::ostream* out) {
    *out << "half-extent " << c.halfExtent;
}

class TickTest : public SceneGeometryTest, public ::testing::WithParamInterface<TickCase> {};

TEST_P(TickTest, XAndYTicksRunFromOneInsideNegativeEndInUnitSteps) {
    const TickCase c = GetParam();
    scene.halfExtents[0] = c.halfExtent;
    scene.halfExtents[1] = 1.0F; // one y tick, at 0
    view.DrawAxes();
    const Vertices lines = recorder.Batch(GL_LINES);
    ASSERT_EQ(lines.size(), std::size_t(4 + 2 * c.ticks + 2));
    // Axes first, whatever the half-extent.
    EXPECT_EQ(lines[0], std::make_pair(0.0F, 1.0F));
    EXPECT_EQ(lines[1], std::make_pair(0.0F, -1.0F));
    EXPECT_EQ(lines[2].second, 0.0F);
    EXPECT_EQ(lines[3].second, 0.0F);
    float t = c.firstTick;
    for (int i = 0; i < c.ticks; ++i, t += 1.0F) {
        EXPECT_EQ(lines[4 + 2 * i], std::make_pair(t, 0.15F)) << "tick " << i;
        EXPECT_EQ(lines[5 + 2 * i], std::make_pair(t, -0.15F)) << "tick " << i;
    }
    EXPECT_EQ(lines[4 + 2 * c.ticks], std::make_pair(0.15F, 0.0F));
    EXPECT_EQ(recorder.Batch(GL_TRIANGLES).size(), 6U);

    // The same numbers on the y axis give the same ticks, turned.
    recorder.Clear();
    scene.halfExtents[0] = 1.0F;
    scene.halfExtents[1] = c.halfExtent;
    view.DrawAxes();
    const Vertices turned = recorder.Batch(GL_LINES);
    ASSERT_EQ(turned.size(), lines.size());
    for (int i = 0; i < c.ticks; ++i) {
        EXPECT_EQ(turned[6 + 2 * i], std::make_pair(0.15F, lines[4 + 2 * i].first));
        EXPECT_EQ(turned[7 + 2 * i], std::make_pair(-0.15F, lines[4 + 2 * i].first));
    }
}

INSTANTIATE_TEST_SUITE_P(
    HalfExtents, TickTest,
    ::testing::Values(TickCase{10.0F, 19, -9.0F}, TickCase{1.0F, 1, 0.0F},
                      TickCase{0.999F, 0, 0.0F}, TickCase{0.0F, 0, 0.0F}, TickCase{-3.0F, 0, 0.0F},
                      TickCase{10.5F, 20, -9.5F}, TickCase{2.25F, 3, -1.25F},
                      TickCase{5000.5F, 10000, -4999.5F}, TickCase{5000.75F, 10000, -4999.75F},
                      // Beyond 10,000 ticks, or no number at all: no ticks.
                      TickCase{5001.0F, 0, 0.0F}, TickCase{16777216.0F, 0, 0.0F},
                      TickCase{1e30F, 0, 0.0F}, TickCase{kInf, 0, 0.0F}, TickCase{-kInf, 0, 0.0F},
                      TickCase{kNaN, 0, 0.0F}));

TEST_F(SceneGeometryTest, CurveIsOneLineStripOfTheSampledPairs) {
    const Vertices points = {{-10.0F, 100.0F}, {-9.9F, 98.01F}, {0.0F, -1e30F}, {kNaN, kInf}};
    for (const auto& [x, y] : points) {
        AddPoint(x, y);
    }
    view.DrawCurve();
    ASSERT_EQ(recorder.Calls().size(), 3 + points.size());
    EXPECT_EQ(recorder.Calls()[0], Call("Begin", {GL_LINE_STRIP}));
    EXPECT_EQ(recorder.Calls()[1], Green());
    const Vertices drawn = recorder.Batch(GL_LINE_STRIP);
    ASSERT_EQ(drawn.size(), points.size());
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        EXPECT_EQ(drawn[i], points[i]);
    }
    EXPECT_TRUE(std::isnan(drawn.back().first));
    EXPECT_EQ(recorder.Calls().back(), Call("End"));
}

TEST_F(SceneGeometryTest, EmptyCurveIsAnEmptyStrip) {
    view.DrawCurve();
    const std::vector<GLCall> expected = {Call("Begin", {GL_LINE_STRIP}), Green(), Call("End")};
    EXPECT_EQ(recorder.Calls(), expected);
}

TEST_F(SceneGeometryTest, UnpairedLastElementIsNotRead) {
    AddPoint(1.0F, 2.0F);
    view.GetVertices().Append(3.0F);
    view.DrawCurve();
    EXPECT_EQ(recorder.Batch(GL_LINE_STRIP), (Vertices{{1.0F, 2.0F}}));
}

TEST_F(SceneGeometryTest, HostileAnglesArePassedOnUnchanged) {
    scene.rotation[0] = kNaN;
    scene.rotation[2] = -kInf;
    view.RenderScene();
    const auto& calls = recorder.Calls();
    ASSERT_GE(calls.size(), 4U);
    EXPECT_EQ(calls[2].name, "Rotatef");
    EXPECT_EQ(calls[2].args[0], -double(kInf));
    EXPECT_TRUE(std::isnan(calls[3].args[0]));
}

} // namespace
} // namespace curvix
