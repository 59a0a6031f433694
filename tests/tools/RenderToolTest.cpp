// curvix-render's parts: its command line, its PNG files and the frame it
// draws for a document through the real engine and sampler.

#include "CurvixDoc.h"
#include "PngRead.h"
#include "PngWriter.h"
#include "RenderOptions.h"
#include "SceneImage.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <png.h>
#include <set>
#include <string>
#include <vector>

namespace curvix {
namespace {

struct ArgumentsCase {
    std::vector<const char*> args;
    bool ok;
    const char* documentPath;
    const char* formula;
    const char* output;
    int width;
    int height;
    const char* errorPart; // part of the reason when not ok
};

class RenderArguments : public ::testing::TestWithParam<ArgumentsCase> {};

TEST_P(RenderArguments, AreReadOrRefusedWithAReason) {
    const ArgumentsCase& c = GetParam();
    RenderOptions options;
    std::string error;
    ASSERT_EQ(ParseRenderArguments(int(c.args.size()), c.args.data(), options, error), c.ok)
        << error;
    if (!c.ok) {
        EXPECT_NE(error.find(c.errorPart), std::string::npos) << error;
        return;
    }
    EXPECT_EQ(options.documentPath, c.documentPath);
    EXPECT_EQ(options.fromFormula, *c.formula != '\0');
    EXPECT_EQ(options.formula, c.formula);
    EXPECT_EQ(options.outputPath, c.output);
    EXPECT_EQ(options.width, c.width);
    EXPECT_EQ(options.height, c.height);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, RenderArguments,
    ::testing::Values(
        ArgumentsCase{{"a.cvx", "-o", "p.png"}, true, "a.cvx", "", "p.png", 600, 600, ""},
        ArgumentsCase{{"--formula", "sin(x)*5", "-o", "p.png", "--size", "800x300"},
                      true,
                      "",
                      "sin(x)*5",
                      "p.png",
                      800,
                      300,
                      ""},
        ArgumentsCase{
            {"-o", "p.png", "--size", "1x8192", "a.cvx"}, true, "a.cvx", "", "p.png", 1, 8192, ""},
        ArgumentsCase{{"--formula", "-x", "-o", "p.png"}, true, "", "-x", "p.png", 600, 600, ""},
        ArgumentsCase{{"a.cvx"}, false, "", "", "", 0, 0, "no output"},
        ArgumentsCase{{"-o", "p.png"}, false, "", "", "", 0, 0, "no document"},
        ArgumentsCase{{"a.cvx", "b.cvx", "-o", "p.png"}, false, "", "", "", 0, 0, "either"},
        ArgumentsCase{{"a.cvx", "--formula", "x", "-o", "p"}, false, "", "", "", 0, 0, "either"},
        ArgumentsCase{{"a.cvx", "-o"}, false, "", "", "", 0, 0, "needs a value"},
        ArgumentsCase{{"a.cvx", "-o", "p", "--bogus"}, false, "", "", "", 0, 0, "'--bogus'"},
        ArgumentsCase{
            {"a.cvx", "-o", "p", "--size", "0x10"}, false, "", "", "", 0, 0, "out of range"},
        ArgumentsCase{
            {"a.cvx", "-o", "p", "--size", "8193x10"}, false, "", "", "", 0, 0, "out of range"}));

TEST(RenderArguments, HelpAndVersionNeedNothingElse) {
    for (const char* asked : {"--help", "--version"}) {
        const char* args[] = {asked};
        RenderOptions options;
        std::string error;
        EXPECT_TRUE(ParseRenderArguments(1, args, options, error)) << asked;
        EXPECT_EQ(options.help, asked[2] == 'h');
        EXPECT_EQ(options.version, asked[2] == 'v');
    }
}

TEST(ImageSize, AcceptsOnlyWholeSidesInRange) {
    struct Case {
        const char* text;
        bool ok;
        int width;
        int height;
    };
    const Case cases[] = {
        {"600x600", true, 600, 600},
        {"1x1", true, 1, 1},
        {"8192x8192", true, 8192, 8192},
        {"0x600", false, 0, 0},
        {"600x0", false, 0, 0},
        {"-5x5", false, 0, 0},
        {"+5x5", false, 0, 0},
        {"5x", false, 0, 0},
        {"x5", false, 0, 0},
        {"5", false, 0, 0},
        {"5x5x5", false, 0, 0},
        {"5.5x5", false, 0, 0},
        {" 5x5", false, 0, 0},
        {"99999999999x5", false, 0, 0},
        {"5X5", false, 0, 0},
    };
    for (const Case& c : cases) {
        int width = 0;
        int height = 0;
        EXPECT_EQ(ParseImageSize(c.text, width, height), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(width, c.width) << c.text;
            EXPECT_EQ(height, c.height) << c.text;
        }
    }
}

std::filesystem::path TempPath(const std::string& name) {
    return std::filesystem::temp_directory_path() /
           ("curvix-render-test-" + std::to_string(::getpid()) + "-" + name);
}

using test::ReadPng;

TEST(PngWriter, WritesRgbRowsFromTheTop) {
    const int width = 3;
    const int height = 2;
    std::vector<std::uint8_t> rgba;
    for (int i = 0; i < width * height; ++i) {
        rgba.insert(rgba.end(), {std::uint8_t(10 * i), std::uint8_t(i), std::uint8_t(255 - i),
                                 std::uint8_t(i % 2 ? 0 : 255)});
    }
    const std::string path = TempPath("rows.png").string();
    std::string error;
    ASSERT_TRUE(WritePng(path, width, height, rgba, error)) << error;
    int readWidth = 0;
    int readHeight = 0;
    std::vector<std::uint8_t> rgb;
    ASSERT_TRUE(ReadPng(path, readWidth, readHeight, rgb));
    std::filesystem::remove(path);
    EXPECT_EQ(readWidth, width);
    EXPECT_EQ(readHeight, height);
    std::vector<std::uint8_t> expected;
    for (int i = 0; i < width * height; ++i) {
        expected.insert(expected.end(),
                        {std::uint8_t(10 * i), std::uint8_t(i), std::uint8_t(255 - i)});
    }
    EXPECT_EQ(rgb, expected);
}

TEST(PngWriter, UnwritablePathGivesReason) {
    std::string error;
    const std::vector<std::uint8_t> rgba(4, 0);
    EXPECT_FALSE(WritePng("/nonexistent-dir/x.png", 1, 1, rgba, error));
    EXPECT_NE(error.find("/nonexistent-dir/x.png"), std::string::npos) << error;
}

bool RunningInCI() {
    const char* ci = std::getenv("CI");
    return ci != nullptr && std::strcmp(ci, "true") == 0;
}

// A new document with the default numbers and formula, drawn at 600 x 600
// as curvix-render draws it.
class FormulaImage : public ::testing::Test {
protected:
    static void SetUpTestSuite() { setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1); }

    bool Render(const char* formula) {
        document.OnNewDocument();
        document.SetFormula(ExprString(formula));
        std::string error;
        if (!RenderSceneImage(document, 600, 600, image, error)) {
            problem = error;
            return false;
        }
        return true;
    }

    bool Lit(int column, int row) const {
        const std::size_t i = (std::size_t(row) * image.width + column) * 4;
        return image.rgba[i] != 0 || image.rgba[i + 1] != 0 || image.rgba[i + 2] != 0;
    }
    bool Green(int column, int row) const {
        const std::size_t i = (std::size_t(row) * image.width + column) * 4;
        return image.rgba[i] == 0 && image.rgba[i + 1] == 153 && image.rgba[i + 2] == 0;
    }
    // 600 pixels span -11 to 11; a line on a pixel border lands on the
    // pixel before it.
    static int Column(double x) { return int(std::ceil((x + 11.0) / 22.0 * 600.0)) - 1; }
    static int Row(double y) { return 600 - int(std::ceil((y + 11.0) / 22.0 * 600.0)); }
    static double XOf(int column) { return (column + 0.5) / 600.0 * 22.0 - 11.0; }

    // In columns half-way between ticks, the one lit pixel apart from the
    // x axis is the curve's, within a pixel of f at the column's centre.
    void ExpectCurve(const std::function<double(double)>& f, double from, double to) {
        for (double x = from; x <= to; x += 1.0) {
            const int column = Column(x);
            std::set<int> lit;
            for (int r = 0; r < 600; ++r) {
                if (Lit(column, r) && r != Row(0.0)) {
                    lit.insert(r);
                }
            }
            ASSERT_FALSE(lit.empty()) << "x=" << x;
            EXPECT_LE(*lit.rbegin() - *lit.begin(), 1) << "x=" << x;
            EXPECT_LE(std::abs(*lit.begin() - Row(f(XOf(column)))), 1) << "x=" << x;
            EXPECT_TRUE(Green(column, *lit.begin()));
        }
    }

    CCurvixDoc document;
    SceneImage image;
    std::string problem;
};

#define CURVIX_RENDER_OR_SKIP(formula)                                                             \
    if (!Render(formula)) {                                                                        \
        if (RunningInCI()) {                                                                       \
            FAIL() << "no OpenGL context: " << problem;                                            \
        }                                                                                          \
        GTEST_SKIP() << "no OpenGL context: " << problem;                                          \
    }

TEST_F(FormulaImage, ParabolaOverDefaultAxes) {
    CURVIX_RENDER_OR_SKIP("x^2/10");
    ASSERT_EQ(image.rgba.size(), 600U * 600U * 4U);
    EXPECT_TRUE(Green(299, 150));
    EXPECT_TRUE(Green(150, 300));
    EXPECT_TRUE(Green(Column(-9.0), Row(0.1)));
    EXPECT_TRUE(Green(Column(0.1), Row(9.0)));
    ExpectCurve([](double x) { return x * x / 10.0; }, -4.5, 4.5);
    // The samples end at about 9.9: nothing of the curve right of it.
    EXPECT_FALSE(Lit(Column(9.95), Row(9.95 * 9.95 / 10.0)));
    EXPECT_TRUE(Lit(Column(9.85), Row(9.85 * 9.85 / 10.0)) ||
                Lit(Column(9.85), Row(9.85 * 9.85 / 10.0) + 1) ||
                Lit(Column(9.85), Row(9.85 * 9.85 / 10.0) - 1));
}

} // namespace
} // namespace curvix
