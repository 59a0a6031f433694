// The scene's geometry as data: what the OpenGL drawing and the vector
// writers share.

#include "CurvixScene.h"
#include "GLRecorder.h"
#include "SceneGeometry.h"
#include "SceneSettings.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace curvix {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(SceneAxes, TicksAndArrowsFollowTheHalfExtents) {
    struct Case {
        float ex, ey;
        std::size_t lineEnds;
    };
    const Case cases[] = {
        {10.0F, 10.0F, 4 + 2 * 19 + 2 * 19},
        {0.5F, 1.0F, 4 + 0 + 2 * 1},
        {10.5F, 0.0F, 4 + 2 * 20},
        {kNaN, 3.0F, 4 + 2 * 5},
        {1e9F, 2.0F, 4 + 2 * 3}, // beyond the tick bound: no x ticks
    };
    for (const Case& c : cases) {
        const AxesGeometry axes = BuildAxes(c.ex, c.ey);
        EXPECT_EQ(axes.lines.size(), c.lineEnds) << c.ex << " " << c.ey;
        EXPECT_EQ(axes.arrows[0], (PlotPoint{0.0F, c.ey + 0.1F}));
        if (!std::isnan(c.ex)) {
            EXPECT_EQ(axes.arrows[4], (PlotPoint{c.ex - 0.3F, -0.2F}));
        }
    }
    EXPECT_EQ(BuildAxes(10.5F, 1.0F).lines[4], (PlotPoint{-9.5F, 0.15F}));
}

TEST(SceneTransformData, RotatesThenStretchesTheBoxToTheImage) {
    struct Case {
        float first, third;
        PlotPoint point;
        double px, py, z;
    };
    const Case cases[] = {
        {0, 0, {0, 0}, 300, 150, 0},
        {0, 0, {11, 11}, 600, 0, 0},
        {0, 0, {-5.5F, -11}, 150, 300, 0},
        {90, 0, {4, 7}, 409.0909, 150, 7}, // edge-on: y goes into z
        {0, 90, {11, 0}, 300, 0, 0},       // x turns to y
        {60, 90, {0, 8}, 300 - 4.0 / 11 * 300, 150, 8 * std::sin(M_PI / 3)},
    };
    for (const Case& c : cases) {
        const SceneTransform transform({11, 11}, c.first, c.third, 600, 300);
        const EyePoint eye = transform.ToEye(c.point);
        const PixelPoint pixel = transform.ToPixel(eye);
        EXPECT_NEAR(pixel.x, c.px, 1e-3) << c.first << " " << c.third;
        EXPECT_NEAR(pixel.y, c.py, 1e-3) << c.first << " " << c.third;
        EXPECT_NEAR(eye.z, c.z, 1e-9);
    }
}

TEST(SceneTransformData, SegmentsAreCutToTheBoxAndTheNearAndFarPlanes) {
    struct Case {
        EyePoint a, b;
        bool kept;
        EyePoint ca, cb;
    };
    const Case cases[] = {
        {{0, 0, 0}, {5, 5, 0}, true, {0, 0, 0}, {5, 5, 0}},
        {{0, 0, 0}, {22, 0, 0}, true, {0, 0, 0}, {11, 0, 0}},
        {{-20, 1, 0}, {20, 1, 0}, true, {-11, 1, 0}, {11, 1, 0}},
        {{12, 0, 0}, {13, 5, 0}, false, {}, {}},
        {{0, 0, 0}, {0, 0, 200}, true, {0, 0, 0}, {0, 0, 100}},
        {{1, 0, -300}, {1, 0, -101}, false, {}, {}},
        {{0, 0, 0}, {kNaN, 0, 0}, false, {}, {}},
    };
    const SceneTransform transform({11, 11}, 0, 0, 100, 100);
    for (const Case& c : cases) {
        EyePoint a = c.a;
        EyePoint b = c.b;
        ASSERT_EQ(transform.ClipSegment(a, b), c.kept) << c.b.x << " " << c.b.z;
        if (c.kept) {
            EXPECT_NEAR(a.x, c.ca.x, 1e-9);
            EXPECT_NEAR(b.x, c.cb.x, 1e-9);
            EXPECT_NEAR(b.z, c.cb.z, 1e-9);
        }
    }
}

TEST(SceneTransformData, TrianglesKeepTheirPartInsideTheBox) {
    const SceneTransform transform({11, 11}, 0, 0, 100, 100);
    const std::vector<EyePoint> kept = transform.ClipPolygon({{12, 0, 0}, {10, -1, 0}, {10, 1, 0}});
    ASSERT_EQ(kept.size(), 4U);
    for (const EyePoint& p : kept) {
        EXPECT_LE(p.x, 11.0);
    }
    EXPECT_TRUE(transform.ClipPolygon({{12, 0, 0}, {13, -1, 0}, {13, 1, 0}}).empty());
}

// The frame as data holds exactly the vertices the OpenGL drawing sends.
TEST(SceneFrameData, MatchesTheVerticesDrawn) {
    SceneSettings scene;
    scene.halfExtents[0] = 4.5F;
    CCurvixScene view;
    view.SetScenePointers(scene.rotation, scene.halfExtents, scene.range, &scene.step);
    for (const float value : {-1.0F, 2.0F, 3.0F, 4.5F, 7.0F}) {
        view.GetVertices().Append(value);
    }
    test::GLRecorder recorder;
    view.RenderScene();
    const FrameGeometry frame = view.GetFrameGeometry();
    std::vector<std::pair<float, float>> lines;
    for (const PlotPoint& p : frame.axes.lines) {
        lines.emplace_back(p.x, p.y);
    }
    EXPECT_EQ(recorder.Batch(GL_LINES), lines);
    std::vector<std::pair<float, float>> arrows;
    for (const PlotPoint& p : frame.axes.arrows) {
        arrows.emplace_back(p.x, p.y);
    }
    EXPECT_EQ(recorder.Batch(GL_TRIANGLES), arrows);
    ASSERT_EQ(frame.curve.Size(), 2U);
    EXPECT_EQ(recorder.Batch(GL_LINE_STRIP),
              (std::vector<std::pair<float, float>>{{-1.0F, 2.0F}, {3.0F, 4.5F}}));
    EXPECT_EQ(frame.curve[1], (PlotPoint{3.0F, 4.5F}));
}

} // namespace
} // namespace curvix
