// Real frames from Mesa's software renderer: where axes, ticks, arrows and
// curves land in the image.

#include "OffscreenScene.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <ostream>
#include <set>

namespace curvix::test {
namespace {

constexpr Rgb kGreen{0, 153, 0};
constexpr Rgb kBlack{0, 0, 0};
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// Columns of a row, within [from, to], that are lit.
std::set<int> LitColumns(const Image& image, int row, int from, int to) {
    std::set<int> lit;
    for (int c = from; c <= to; ++c) {
        if (image.Lit(c, row)) {
            lit.insert(c);
        }
    }
    return lit;
}

std::set<int> LitRows(const Image& image, int column, int from, int to) {
    std::set<int> lit;
    for (int r = from; r <= to; ++r) {
        if (image.Lit(column, r)) {
            lit.insert(r);
        }
    }
    return lit;
}

struct Size {
    int width;
    int height;
};

void PrintTo(const Size& size, std::ostream* out) {
    *out << size.width << "x" << size.height;
}

class DefaultScenePixels : public ::testing::TestWithParam<Size> {};

TEST_P(DefaultScenePixels, AxesTicksAndArrowsLandWhereTheProjectionPutsThem) {
    OffscreenScene s(GetParam().width, GetParam().height);
    CURVIX_REQUIRE_CONTEXT(s);
    const Image image = s.Render();
    ASSERT_EQ(image.rgba.size(), std::size_t(image.width) * image.height * 4);

    // One colour on black.
    for (int r = 0; r < image.height; ++r) {
        for (int c = 0; c < image.width; ++c) {
            const Rgb p = image.At(c, r);
            ASSERT_TRUE(p == kBlack || p == kGreen) << c << "," << r;
        }
    }

    const int axisColumn = s.Column(0.0F);
    const int axisRow = s.Row(0.0F);
    // The x axis from -10 to 10, the arrow beyond, then the margin.
    for (int c = s.Column(-9.95F); c <= s.Column(9.95F); ++c) {
        EXPECT_EQ(image.At(c, axisRow), kGreen) << "x axis at column " << c;
    }
    EXPECT_TRUE(LitColumns(image, axisRow, 0, s.Column(-10.05F)).empty());
    EXPECT_TRUE(LitColumns(image, axisRow, s.Column(10.15F), image.width - 1).empty());
    for (int r = s.Row(9.95F); r <= s.Row(-9.95F); ++r) {
        EXPECT_EQ(image.At(axisColumn, r), kGreen) << "y axis at row " << r;
    }
    EXPECT_TRUE(LitRows(image, axisColumn, 0, s.Row(10.15F)).empty());
    EXPECT_TRUE(LitRows(image, axisColumn, s.Row(-10.05F), image.height - 1).empty());

    // 19 ticks on each axis, just above and below it; the one at 0 is the
    // other axis.
    std::set<int> tickColumns;
    std::set<int> tickRows;
    for (int k = -9; k <= 9; ++k) {
        tickColumns.insert(s.Column(float(k)));
        tickRows.insert(s.Row(float(k)));
    }
    ASSERT_EQ(tickColumns.size(), 19U);
    for (float y : {0.1F, -0.1F}) {
        EXPECT_EQ(LitColumns(image, s.Row(y), s.Column(-9.5F), s.Column(9.5F)), tickColumns)
            << "row at y=" << y;
    }
    for (float x : {0.1F, -0.1F}) {
        EXPECT_EQ(LitRows(image, s.Column(x), s.Row(9.5F), s.Row(-9.5F)), tickRows)
            << "column at x=" << x;
    }
    // Ticks reach 0.15 from the axis, no further.
    EXPECT_FALSE(image.Lit(s.Column(3.0F), s.Row(0.2F)));
    EXPECT_FALSE(image.Lit(s.Column(3.0F), s.Row(-0.2F)));
    EXPECT_FALSE(image.Lit(s.Column(0.2F), s.Row(-4.0F)));
    EXPECT_FALSE(image.Lit(s.Column(-0.2F), s.Row(-4.0F)));

    // Arrow heads: tips between the axis end and 10.1, bases 0.2 wide each
    // side, 0.3 inside the end.
    int top = 0;
    while (LitColumns(image, top, axisColumn - 2, axisColumn + 2).empty()) {
        ++top;
    }
    EXPECT_GT(s.YOf(top), 10.0F);
    EXPECT_LT(s.YOf(top), 10.1F);
    int right = image.width - 1;
    while (LitRows(image, right, axisRow - 2, axisRow + 2).empty()) {
        --right;
    }
    EXPECT_GT(s.XOf(right), 10.0F);
    EXPECT_LT(s.XOf(right), 10.1F);
    // Every pixel around the heads is lit exactly when its centre lies in
    // the triangle (tip 0.1 beyond the end, base 0.3 inside, 0.2 each side).
    const float unitsPerColumn = 22.0F / image.width;
    const float unitsPerRow = 22.0F / image.height;
    for (int r = s.Row(10.3F); r <= s.Row(9.5F); ++r) {
        for (int c = s.Column(-0.4F); c <= s.Column(0.4F); ++c) {
            const float x = s.XOf(c);
            const float y = s.YOf(r);
            const float halfWidth = 0.2F * (10.1F - y) / 0.4F;
            const bool onAxis = c == axisColumn && y <= 10.0F;
            const bool nearEdge = std::abs(std::abs(x) - halfWidth) < 0.05F * unitsPerColumn ||
                                  std::abs(y - 9.7F) < 0.05F * unitsPerRow;
            if (!onAxis && !nearEdge) {
                EXPECT_EQ(image.Lit(c, r), y > 9.7F && std::abs(x) < halfWidth)
                    << "y arrow, column " << c << " row " << r;
            }
        }
    }
    for (int c = s.Column(9.5F); c <= s.Column(10.3F); ++c) {
        for (int r = s.Row(0.4F); r <= s.Row(-0.4F); ++r) {
            const float x = s.XOf(c);
            const float y = s.YOf(r);
            const float halfWidth = 0.2F * (10.1F - x) / 0.4F;
            const bool onAxis = r == axisRow && x <= 10.0F;
            const bool nearEdge = std::abs(std::abs(y) - halfWidth) < 0.05F * unitsPerRow ||
                                  std::abs(x - 9.7F) < 0.05F * unitsPerColumn;
            if (!onAxis && !nearEdge) {
                EXPECT_EQ(image.Lit(c, r), x > 9.7F && std::abs(y) < halfWidth)
                    << "x arrow, column " << c << " row " << r;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, DefaultScenePixels,
                         ::testing::Values(Size{600, 600}, Size{601, 601}, Size{801, 401},
                                           Size{300, 700}));

TEST(ScenePixelsTest, DefaultSceneAxesCrossAtTheImageCentre) {
    OffscreenScene s(600, 600);
    CURVIX_REQUIRE_CONTEXT(s);
    const Image image = s.Render();
    // The centre lies on a pixel border; the lines fall on the pixel before
    // it, counting columns from the left and rows from the bottom.
    EXPECT_EQ(image.At(299, 300), kGreen);
    EXPECT_EQ(LitColumns(image, 150, 0, 599), std::set<int>{299});
    EXPECT_EQ(LitRows(image, 150, 0, 599), std::set<int>{300});
}

struct CurveCase {
    const char* name;
    float (*f)(float);
};

float Parabola(float x) {
    return x * x / 10.0F;
}
float Line(float x) {
    return 0.5F * x + 3.0F;
}
float SineDegrees(float x) {
    return 3.0F * float(std::sin(x * 18.0 * M_PI / 180.0));
}
float Cubic(float x) {
    return x * x * x / 100.0F - 4.0F;
}

class CurvePixels : public ::testing::TestWithParam<CurveCase> {};

TEST_P(CurvePixels, CurvePassesThroughItsPointsAndNowhereElse) {
    OffscreenScene s(601, 601);
    CURVIX_REQUIRE_CONTEXT(s);
    const auto f = GetParam().f;
    s.SetCurve(f);
    const Image image = s.Render();
    // Half-way between ticks, away from the axes, with slopes of at most
    // one pixel per pixel: one lit pixel per column, on the curve.
    for (int k = -5; k <= 4; ++k) {
        const float x = float(k) + 0.5F;
        const int column = s.Column(x);
        const int row = s.Row(f(s.XOf(column)));
        std::set<int> lit = LitRows(image, column, 0, image.height - 1);
        lit.erase(s.Row(0.0F));
        ASSERT_FALSE(lit.empty()) << "x=" << x;
        EXPECT_LE(*lit.rbegin() - *lit.begin(), 1) << "x=" << x;
        EXPECT_LE(std::abs(*lit.begin() - row), 1) << "x=" << x;
        EXPECT_EQ(image.At(column, *lit.begin()), kGreen);
    }
}

INSTANTIATE_TEST_SUITE_P(Formulas, CurvePixels,
                         ::testing::Values(CurveCase{"Parabola", Parabola}, CurveCase{"Line", Line},
                                           CurveCase{"SineDegrees", SineDegrees},
                                           CurveCase{"Cubic", Cubic}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScenePixelsTest, CurveIsClippedAtTheBoxNotScaled) {
    OffscreenScene s(601, 601);
    CURVIX_REQUIRE_CONTEXT(s);
    s.SetCurve([](float x) { return 2.0F * x; });
    const Image image = s.Render();
    // Inside the margin, the curve is where it belongs.
    const int column = s.Column(5.25F);
    EXPECT_LE(std::abs(*LitRows(image, column, 0, 600).begin() - s.Row(10.5F)), 1);
    // It leaves through the top edge at x = 5.5 ...
    const std::set<int> topRow = LitColumns(image, 0, 0, 600);
    ASSERT_FALSE(topRow.empty());
    EXPECT_LE(std::abs(*topRow.begin() - s.Column(5.5F)), 1);
    // ... and beyond it only the x axis is drawn.
    EXPECT_EQ(LitRows(image, s.Column(6.5F), 0, 600), std::set<int>{s.Row(0.0F)});
    EXPECT_EQ(LitRows(image, s.Column(-6.5F), 0, 600), std::set<int>{s.Row(0.0F)});
}

TEST(ScenePixelsTest, FirstAngleOfNinetyCollapsesSceneOntoCentreLine) {
    for (float angle : {90.0F, 270.0F}) {
        OffscreenScene s(601, 601);
        CURVIX_REQUIRE_CONTEXT(s);
        s.SetCurve(Parabola);
        s.scene.rotation[0] = angle;
        const Image image = s.Render();
        const int centre = s.Row(0.0F);
        ASSERT_EQ(centre, 300);
        for (int r = 0; r < image.height; ++r) {
            if (r != centre) {
                ASSERT_TRUE(LitColumns(image, r, 0, 600).empty())
                    << "angle " << angle << " row " << r;
            }
        }
        for (int c = s.Column(-9.95F); c <= s.Column(9.95F); ++c) {
            EXPECT_TRUE(image.Lit(c, centre)) << c;
        }
    }
}

TEST(ScenePixelsTest, SecondAngleChangesNothing) {
    OffscreenScene s(301, 301);
    CURVIX_REQUIRE_CONTEXT(s);
    s.SetCurve(Cubic);
    s.scene.rotation[0] = 35.0F;
    s.scene.rotation[2] = 20.0F;
    const Image unturned = s.Render();
    s.scene.rotation[1] = 64.0F;
    EXPECT_EQ(s.Render(), unturned);
    s.scene.rotation[2] = 0.0F;
    EXPECT_NE(s.Render(), unturned); // the third one does turn it
}

TEST(ScenePixelsTest, NoTicksBelowHalfExtentOfOne) {
    OffscreenScene s(601, 601);
    CURVIX_REQUIRE_CONTEXT(s);
    s.scene.halfExtents[0] = 0.9F;
    s.scene.halfExtents[1] = 0.9F;
    const Image image = s.Render();
    // Left of the x arrow and below the y arrow only the axes remain.
    const int axisColumn = s.Column(0.0F);
    const int axisRow = s.Row(0.0F);
    for (float offset : {0.05F, -0.05F}) {
        EXPECT_EQ(LitColumns(image, s.Row(offset), 0, s.Column(0.5F)), std::set<int>{axisColumn});
        EXPECT_EQ(LitRows(image, s.Column(offset), s.Row(0.5F), 600), std::set<int>{axisRow});
    }
    // At 1.5 the ticks at -0.5 and 0.5 are there.
    s.scene.halfExtents[0] = 1.5F;
    s.scene.halfExtents[1] = 1.5F;
    const Image ticked = s.Render();
    EXPECT_TRUE(ticked.Lit(s.Column(-0.5F), s.Row(0.05F)));
    EXPECT_TRUE(ticked.Lit(s.Column(0.05F), s.Row(-0.5F)));
}

TEST(ScenePixelsTest, NothingIsShownUntilTheFrameIsSwapped) {
    OffscreenScene s(64, 64);
    CURVIX_REQUIRE_CONTEXT(s);
    s.view.SetProjection(64, 64);
    s.view.RenderScene();
    Image image{64, 64, {}};
    ASSERT_TRUE(s.Device().ReadPixels(image.rgba));
    EXPECT_TRUE(LitColumns(image, s.Row(0.0F), 0, 63).empty());
    s.view.OnDraw(&s.Device());
    ASSERT_TRUE(s.Device().ReadPixels(image.rgba));
    EXPECT_FALSE(LitColumns(image, s.Row(0.0F), 0, 63).empty());
}

struct HostileCase {
    float ex, ey, first, third;
};

void PrintTo(const HostileCase& c, std::ostream* out) {
    *out << "half-extents " << c.ex << " " << c.ey << ", angles " << c.first << " " << c.third;
}

class HostileScene : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileScene, RendersAFrameWithoutHangingOrCrashing) {
    const HostileCase c = GetParam();
    OffscreenScene s(101, 101);
    CURVIX_REQUIRE_CONTEXT(s);
    s.SetCurve(Parabola);
    s.scene.halfExtents[0] = c.ex;
    s.scene.halfExtents[1] = c.ey;
    s.scene.rotation[0] = c.first;
    s.scene.rotation[2] = c.third;
    const Image image = s.Render();
    EXPECT_EQ(image.rgba.size(), 101U * 101U * 4U);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, HostileScene,
    ::testing::Values(HostileCase{1e30F, 1e30F, 0, 0}, HostileCase{3.4e38F, 3.4e38F, 0, 0},
                      HostileCase{kInf, kInf, 0, 0}, HostileCase{-kInf, kInf, 0, 0},
                      HostileCase{kNaN, kNaN, 0, 0}, HostileCase{16777216.0F, 1e8F, 0, 0},
                      HostileCase{-5.0F, 0.0F, 0, 0}, HostileCase{10, 10, kNaN, kNaN},
                      HostileCase{10, 10, kInf, -kInf}, HostileCase{10, 10, 1e30F, -1e38F},
                      HostileCase{kNaN, kInf, kNaN, kInf}));

TEST(ScenePixelsTest, HugeHalfExtentsDrawAxesAcrossTheImageWithoutTicks) {
    OffscreenScene s(101, 101);
    CURVIX_REQUIRE_CONTEXT(s);
    s.scene.halfExtents[0] = 1e30F;
    s.scene.halfExtents[1] = 1e30F;
    const Image image = s.Render();
    EXPECT_EQ(LitColumns(image, 50, 0, 100).size(), 101U);
    EXPECT_EQ(LitRows(image, 50, 0, 100).size(), 101U);
    EXPECT_EQ(LitColumns(image, 49, 0, 100), std::set<int>{50});
}

} // namespace
} // namespace curvix::test
