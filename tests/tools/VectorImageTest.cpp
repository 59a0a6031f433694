// curvix-render's SVG and PDF pages against its OpenGL frame: rasterised at
// the image size they light the pixels the frame lights, within a pixel;
// and the scene options of its command line.

#include "CurvixDoc.h"
#include "PngRead.h"
#include "ProcessLocale.h"
#include "RenderOptions.h"
#include "SceneImage.h"
#include "TestFiles.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace curvix {
namespace {

// The green channel of an RGB image, rows from the top.
struct Green {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> values;

    int At(int column, int row) const {
        if (column < 0 || row < 0 || column >= width || row >= height) {
            return 0;
        }
        return values[std::size_t(row) * width + column];
    }
    // The brightest green within a pixel of (column, row).
    int Near(int column, int row) const {
        int best = 0;
        for (int dr = -1; dr <= 1; ++dr) {
            for (int dc = -1; dc <= 1; ++dc) {
                best = std::max(best, At(column + dc, row + dr));
            }
        }
        return best;
    }
};

Green GreenOf(int width, int height, const std::vector<std::uint8_t>& pixels, int channels) {
    Green green{width, height, {}};
    for (std::size_t i = 1; i < pixels.size(); i += channels) {
        green.values.push_back(pixels[i]);
    }
    return green;
}

bool RequireTools() {
    return std::system("command -v rsvg-convert >/dev/null && command -v pdftoppm >/dev/null") == 0;
}

class VectorImage : public ::testing::Test {
protected:
    static void SetUpTestSuite() { setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1); }

    void Draw(const char* formula, std::array<float, 3> angles) {
        document.OnNewDocument();
        document.SetFormula(ExprString(formula));
        std::copy(angles.begin(), angles.end(), document.GetRotation());
    }

    // The document as a page of the format, rasterised by the command.
    Green Rasterised(VectorFormat format, const std::string& command) {
        const std::string page = folder.File(format == VectorFormat::kSvg ? "p.svg" : "p.pdf");
        std::string error;
        EXPECT_TRUE(WriteSceneVector(document, kSide, kSide, false, format, page, error)) << error;
        const std::string raster = folder.File("raster");
        EXPECT_EQ(std::system((command + " '" + page + "' '" + raster + "'").c_str()), 0);
        int width = 0;
        int height = 0;
        std::vector<std::uint8_t> rgb;
        EXPECT_TRUE(test::ReadPng(raster + (format == VectorFormat::kPdf ? ".png" : ""), width,
                                  height, rgb));
        EXPECT_EQ(width, kSide);
        EXPECT_EQ(height, kSide);
        return GreenOf(width, height, rgb, 3);
    }

    // Every pixel OpenGL lights is lit on the page within a pixel, and
    // every clearly lit pixel of the page is within a pixel of OpenGL's.
    void ExpectSamePixels(const Green& page) {
        SceneImage image;
        std::string error;
        ASSERT_TRUE(RenderSceneImage(document, kSide, kSide, image, error)) << error;
        const Green frame = GreenOf(kSide, kSide, image.rgba, 4);
        int lit = 0;
        int misses = 0;
        for (int row = 0; row < kSide; ++row) {
            for (int column = 0; column < kSide; ++column) {
                if (frame.At(column, row) != 0) {
                    ++lit;
                    misses += page.Near(column, row) < kFaint;
                }
                if (page.At(column, row) >= kClear) {
                    misses += frame.Near(column, row) == 0;
                }
            }
        }
        EXPECT_GT(lit, kSide);
        EXPECT_EQ(misses, 0);
    }

    static constexpr int kSide = 300;
    static constexpr int kFaint = 30; // of 153, the scene's green
    static constexpr int kClear = 100;
    CCurvixDoc document;
    test::TempFolder folder;
};

const char* const kSvgToPng = "f() { rsvg-convert -o \"$2\" \"$1\"; }; f";
const char* const kPdfToPng = "f() { pdftoppm -png -r 72 -singlefile \"$1\" \"$2\"; }; f";

TEST_F(VectorImage, PagesShowTheFrameOfTheScene) {
    if (!RequireTools()) {
        const char* ci = std::getenv("CI");
        if (ci != nullptr && std::strcmp(ci, "true") == 0) {
            FAIL() << "rsvg-convert or pdftoppm missing";
        }
        GTEST_SKIP() << "rsvg-convert or pdftoppm missing";
    }
    struct Case {
        const char* formula;
        std::array<float, 3> angles;
    };
    // Plain, turned about z with the curve clipped at the edges, tilted about
    // x, nearly edge-on where the far plane cuts the curve at y = 100, and a
    // steep curve far beyond the box.
    const Case cases[] = {{"x^2/10", {0, 0, 0}},
                          {"sin(x*20)*8", {0, 0, 30}},
                          {"x^3", {60, 0, -15}},
                          {"x^3", {89.5F, 0, 10}},
                          {"x*x*x*x", {0, 0, 0}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.formula);
        Draw(c.formula, c.angles);
        ExpectSamePixels(Rasterised(VectorFormat::kSvg, kSvgToPng));
        ExpectSamePixels(Rasterised(VectorFormat::kPdf, kPdfToPng));
    }
}

struct OptionsCase {
    std::vector<const char*> args;
    const char* errorPart;      // empty when accepted
    std::array<float, 8> scene; // halfExtents, rotation, range, step after applying
    ImageFormat format = ImageFormat::kPng;
    bool rad = false;
};

constexpr std::array<float, 8> kDefaults = {10, 10, 0, 0, 0, -10, 10, 0.1F};

class SceneOptions : public ::testing::TestWithParam<OptionsCase> {};

TEST_P(SceneOptions, ReplaceTheDocumentsNumbersOrAreRefused) {
    const OptionsCase& c = GetParam();
    // Numbers read the same where the decimal separator is a comma.
    curvix::testing::ScopedProcessLocale german("de_DE.UTF-8");
    std::vector<const char*> args = {"--formula", "x"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    RenderOptions options;
    CCurvixDoc document;
    document.OnNewDocument();
    std::string error;
    const bool ok = ParseRenderArguments(int(args.size()), args.data(), options, error) &&
                    ApplySceneOptions(options, document, error);
    if (*c.errorPart != '\0') {
        EXPECT_FALSE(ok);
        EXPECT_NE(error.find(c.errorPart), std::string::npos) << error;
        return;
    }
    ASSERT_TRUE(ok) << error;
    std::array<float, 8> scene{};
    std::memcpy(scene.data(), document.GetHalfExtents(), sizeof scene);
    EXPECT_EQ(scene, c.scene);
    EXPECT_EQ(options.format, c.format);
    EXPECT_EQ(options.rad, c.rad);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, SceneOptions,
    ::testing::Values(
        OptionsCase{{"-o", "p.png"}, "", kDefaults},
        OptionsCase{{"-o", "p.SVG"}, "", kDefaults, ImageFormat::kSvg},
        OptionsCase{{"-o", "-", "--format", "pdf"}, "", kDefaults, ImageFormat::kPdf},
        OptionsCase{{"-o", "plot", "--format", "svg"}, "", kDefaults, ImageFormat::kSvg},
        OptionsCase{{"-o", "p.png", "--range", "-2.5:1e1", "--step", "0.25", "--extents", "3:4.5",
                     "--angles", "30:0:-90", "--rad"},
                    "",
                    {3, 4.5F, 30, 0, -90, -2.5F, 10, 0.25F},
                    ImageFormat::kPng,
                    true},
        OptionsCase{{"-o", "p.png", "--range", "0:1", "--step", "2e-7"},
                    "",
                    {10, 10, 0, 0, 0, 0, 1, 2e-7F}},
        OptionsCase{{"-o", "p.bmpx"}, "cannot tell the image format of 'p.bmpx'", {}},
        OptionsCase{{"-o", "-"}, "needs --format", {}},
        OptionsCase{{"-o", "p.svg", "--format", "png"}, "'p.svg' does not match --format png", {}},
        OptionsCase{{"-o", "p.png", "--format", "gif"}, "unknown format 'gif'", {}},
        OptionsCase{{"-o", "p.png", "--range", "1,5:2"}, "option --range: '1,5:2'", {}},
        OptionsCase{{"-o", "p.png", "--range", "1:inf"}, "option --range", {}},
        OptionsCase{{"-o", "p.png", "--range", "1:2:3"}, "option --range", {}},
        OptionsCase{{"-o", "p.png", "--extents", "nan:1"}, "option --extents", {}},
        OptionsCase{{"-o", "p.png", "--extents", "1e39:1"}, "option --extents", {}},
        OptionsCase{{"-o", "p.png", "--angles", "1:2"}, "option --angles", {}},
        OptionsCase{{"-o", "p.png", "--step", "0"}, "option --step: '0' is not a positive", {}},
        OptionsCase{{"-o", "p.png", "--step", "-1"}, "option --step", {}},
        OptionsCase{{"-o", "p.png", "--step", ""}, "option --step", {}},
        OptionsCase{{"-o", "p.png", "--step"}, "needs a value", {}},
        OptionsCase{{"-o", "p.png", "--step", "1e-7"}, "option --step: more than 10000000", {}},
        OptionsCase{{"-o", "p.png", "--range", "-1e9:1e9"}, "option --range: more than", {}},
        OptionsCase{{"-o", "p.png", "--range", "0:1e6", "--step", "0.01"},
                    "options --range and --step",
                    {}}));

} // namespace
} // namespace curvix
