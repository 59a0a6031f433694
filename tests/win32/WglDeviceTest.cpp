// The scene drawn through WGL offscreen under Wine, with Mesa's software
// renderer behind it: documents' frames where the geometry fixes their
// pixels, the pixel format the context gets, and the device's refusals.

#include "WglDevice.h"

#include "CurvixDoc.h"
#include "GLContext.h"
#include "WglFrame.h"
#include "WglSceneImage.h"
#include "Win32Api.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <set>
#include <string>

namespace curvix::test {
namespace {

std::set<int> LitColumns(const Frame& frame, int row, int from, int to) {
    std::set<int> lit;
    for (int c = from; c <= to; ++c) {
        if (frame.Lit(c, row)) {
            lit.insert(c);
        }
    }
    return lit;
}

std::set<int> LitRows(const Frame& frame, int column, int from, int to) {
    std::set<int> lit;
    for (int r = from; r <= to; ++r) {
        if (frame.Lit(column, r)) {
            lit.insert(r);
        }
    }
    return lit;
}

std::set<int> AllLitRows(const Frame& frame) {
    std::set<int> rows;
    for (int r = 0; r < frame.height; ++r) {
        if (!LitColumns(frame, r, 0, frame.width - 1).empty()) {
            rows.insert(r);
        }
    }
    return rows;
}

std::set<int> AllLitColumns(const Frame& frame) {
    std::set<int> columns;
    for (int c = 0; c < frame.width; ++c) {
        if (!LitRows(frame, c, 0, frame.height - 1).empty()) {
            columns.insert(c);
        }
    }
    return columns;
}

// The default scene's axes, 19 ticks a side and the arrow tips.
void ExpectDefaultAxes(const Frame& frame, const PlotPixels& at) {
    const int axisRow = at.Row(0.0F);
    const int axisColumn = at.Column(0.0F);
    for (int c = at.Column(-9.95F); c <= at.Column(9.95F); ++c) {
        EXPECT_EQ(frame.At(c, axisRow), kGreen) << "x axis at column " << c;
    }
    for (int r = at.Row(9.95F); r <= at.Row(-9.95F); ++r) {
        EXPECT_EQ(frame.At(axisColumn, r), kGreen) << "y axis at row " << r;
    }
    // Nothing in the margin beyond the arrow tips.
    EXPECT_TRUE(LitColumns(frame, axisRow, 0, at.Column(-10.05F)).empty());
    EXPECT_TRUE(LitColumns(frame, axisRow, at.Column(10.15F), frame.width - 1).empty());
    EXPECT_TRUE(LitRows(frame, axisColumn, 0, at.Row(10.15F)).empty());

    std::set<int> tickColumns;
    std::set<int> tickRows;
    for (int k = -9; k <= 9; ++k) {
        tickColumns.insert(at.Column(static_cast<float>(k)));
        tickRows.insert(at.Row(static_cast<float>(k)));
    }
    // Below the x axis and left of the y axis, where no curve of these
    // documents passes.
    EXPECT_EQ(LitColumns(frame, at.Row(-0.1F), at.Column(-9.5F), at.Column(9.5F)), tickColumns);
    EXPECT_EQ(LitRows(frame, at.Column(-0.1F), at.Row(9.5F), at.Row(-9.5F)), tickRows);
    // A tick reaches 0.15 from its axis and no further.
    EXPECT_EQ(frame.At(at.Column(3.0F), at.Row(0.12F)), kGreen);
    EXPECT_FALSE(frame.Lit(at.Column(3.0F), at.Row(0.2F)));

    int top = 0;
    while (top < frame.height && LitColumns(frame, top, axisColumn - 2, axisColumn + 2).empty()) {
        ++top;
    }
    EXPECT_GT(at.YOf(top), 10.0F);
    EXPECT_LT(at.YOf(top), 10.1F);
    int right = frame.width - 1;
    while (right > 0 && LitRows(frame, right, axisRow - 2, axisRow + 2).empty()) {
        --right;
    }
    EXPECT_GT(at.XOf(right), 10.0F);
    EXPECT_LT(at.XOf(right), 10.1F);
}

void CheckDefault(const Frame& frame, const PlotPixels& at) {
    ExpectDefaultAxes(frame, at);
    // An empty formula samples 0 everywhere: the curve lies on the x axis.
    EXPECT_EQ(LitColumns(frame, at.Row(3.5F), 0, frame.width - 1), std::set<int>{at.Column(0.0F)});
}

void CheckParabola(const Frame& frame, const PlotPixels& at) {
    ExpectDefaultAxes(frame, at);
    // Half-way between ticks, where the slope is below one pixel per pixel:
    // the curve's pixel and nothing else off the axis.
    for (int k = -5; k <= 4; ++k) {
        const int column = at.Column(static_cast<float>(k) + 0.5F);
        const float x = at.XOf(column);
        const int row = at.Row(x * x / 10.0F);
        std::set<int> lit = LitRows(frame, column, 0, frame.height - 1);
        lit.erase(at.Row(0.0F));
        ASSERT_FALSE(lit.empty()) << "column " << column;
        EXPECT_GE(*lit.begin(), row - 1) << "column " << column;
        EXPECT_LE(*lit.rbegin(), row + 1) << "column " << column;
    }
}

// Edge-on: the whole scene on the one row through the centre.
void CheckEdgeOnRow(const Frame& frame, const PlotPixels& at) {
    EXPECT_EQ(AllLitRows(frame), std::set<int>{frame.height / 2});
    const std::set<int> lit = LitColumns(frame, frame.height / 2, 0, frame.width - 1);
    ASSERT_FALSE(lit.empty());
    // From one axis end to the other; the arrow heads, edge-on, cover no
    // pixel.
    EXPECT_NEAR(*lit.begin(), at.Column(-10.0F), 1);
    EXPECT_NEAR(*lit.rbegin(), at.Column(10.0F), 1);
}

// Edge-on and turned a quarter about the axis out of the screen: one column.
void CheckEdgeOnColumn(const Frame& frame, const PlotPixels&) {
    EXPECT_EQ(AllLitColumns(frame), std::set<int>{frame.width / 2});
}

// Half-extents below 1: axes and arrow heads, no tick on either axis.
void CheckNoTicks(const Frame& frame, const PlotPixels& at) {
    const int axisRow = at.Row(0.0F);
    const int axisColumn = at.Column(0.0F);
    for (int c = at.Column(-0.75F); c <= at.Column(0.75F); ++c) {
        EXPECT_EQ(frame.At(c, axisRow), kGreen) << "x axis at column " << c;
    }
    for (int r = at.Row(0.75F); r <= at.Row(-0.75F); ++r) {
        EXPECT_EQ(frame.At(axisColumn, r), kGreen) << "y axis at row " << r;
    }
    // Beside the axes up to where the arrow heads begin (0.3 inside the
    // ends): only the other axis.
    for (float offset : {0.1F, -0.1F}) {
        EXPECT_EQ(LitColumns(frame, at.Row(offset), at.Column(-0.75F), at.Column(0.4F)),
                  std::set<int>{axisColumn})
            << "row at y=" << offset;
        EXPECT_EQ(LitRows(frame, at.Column(offset), at.Row(0.4F), at.Row(-0.75F)),
                  std::set<int>{axisRow})
            << "column at x=" << offset;
    }
    EXPECT_EQ(frame.At(at.Column(0.7F), at.Row(0.08F)), kGreen) << "x arrow head";
    EXPECT_EQ(frame.At(at.Column(0.08F), at.Row(0.7F)), kGreen) << "y arrow head";
}

struct DocumentCase {
    const char* name;
    const char* formula;
    SceneSettings scene;
    int width;
    int height;
    void (*check)(const Frame&, const PlotPixels&);
};

void PrintTo(const DocumentCase& c, std::ostream* out) {
    *out << c.name;
}

SceneSettings Turned(float first, float second, float third) {
    SceneSettings scene;
    scene.rotation[0] = first;
    scene.rotation[1] = second;
    scene.rotation[2] = third;
    return scene;
}

SceneSettings Extents(float ex, float ey) {
    SceneSettings scene;
    scene.halfExtents[0] = ex;
    scene.halfExtents[1] = ey;
    return scene;
}

bool Render(const DocumentCase& c, Frame& frame, std::string& error) {
    CCurvixDoc document;
    document.OnNewDocument();
    document.SetFormula(ExprString(c.formula));
    *document.GetRotation() = c.scene.rotation[0];
    document.GetRotation()[1] = c.scene.rotation[1];
    document.GetRotation()[2] = c.scene.rotation[2];
    document.GetHalfExtents()[0] = c.scene.halfExtents[0];
    document.GetHalfExtents()[1] = c.scene.halfExtents[1];
    WglImage image;
    if (!RenderDocumentWgl(document, c.width, c.height, image, error)) {
        return false;
    }
    frame = Frame{image.width, image.height, image.rgba};
    return true;
}

class WglDocumentFrames : public ::testing::TestWithParam<DocumentCase> {};

TEST_P(WglDocumentFrames, PixelsLandWhereTheGeometryPutsThem) {
    const DocumentCase& c = GetParam();
    Frame frame;
    std::string error;
    ASSERT_TRUE(Render(c, frame, error)) << "no OpenGL context: " << error;
    ASSERT_EQ(frame.width, c.width);
    ASSERT_EQ(frame.height, c.height);
    ASSERT_EQ(frame.rgba.size(), static_cast<std::size_t>(c.width) * c.height * 4);
    // One colour on black, and the corners are the background.
    for (int r = 0; r < frame.height; ++r) {
        for (int col = 0; col < frame.width; ++col) {
            const Rgb p = frame.At(col, r);
            ASSERT_TRUE(p == kBlack || p == kGreen) << "column " << col << " row " << r;
        }
    }
    EXPECT_EQ(frame.At(0, 0), kBlack);
    EXPECT_EQ(frame.At(frame.width - 1, frame.height - 1), kBlack);
    c.check(frame, PlotPixels{c.scene.halfExtents[0], c.scene.halfExtents[1], c.width, c.height});
}

INSTANTIATE_TEST_SUITE_P(
    Documents, WglDocumentFrames,
    ::testing::Values(
        DocumentCase{"Default", "", SceneSettings{}, 600, 600, CheckDefault},
        DocumentCase{"DefaultWide", "", SceneSettings{}, 801, 401, CheckDefault},
        DocumentCase{"Parabola", "x^2/10", SceneSettings{}, 601, 601, CheckParabola},
        DocumentCase{"FirstAngle90", "x^2/10", Turned(90, 0, 0), 601, 601, CheckEdgeOnRow},
        DocumentCase{"FirstAngle270", "x", Turned(270, 0, 0), 601, 601, CheckEdgeOnRow},
        DocumentCase{"FirstAndThirdAngle90", "x^2/10", Turned(90, 0, 90), 601, 601,
                     CheckEdgeOnColumn},
        DocumentCase{"HalfExtentsBelowOne", "", Extents(0.8F, 0.8F), 600, 600, CheckNoTicks}),
    [](const ::testing::TestParamInfo<DocumentCase>& info) { return info.param.name; });

TEST(WglDeviceTest, TheSecondAngleDoesNotChangeTheFrame) {
    DocumentCase flat{"flat", "x^3/50", Turned(20, 0, 15), 300, 200, nullptr};
    DocumentCase second = flat;
    second.scene.rotation[1] = 70.0F;
    Frame a;
    Frame b;
    std::string error;
    ASSERT_TRUE(Render(flat, a, error)) << error;
    ASSERT_TRUE(Render(second, b, error)) << error;
    EXPECT_EQ(a.rgba, b.rgba);
    EXPECT_FALSE(AllLitRows(a).empty());
}

// The pixel format the context was made with, as the platform describes it.
PIXELFORMATDESCRIPTOR DescribeChosen(const WglDevice& device) {
    PIXELFORMATDESCRIPTOR described{};
    const int format = GetPixelFormat(device.DrawingDC());
    if (format > 0) {
        DescribePixelFormat(device.DrawingDC(), format, sizeof described, &described);
    }
    return described;
}

TEST(WglDeviceTest, TheContextGetsTheRequestedPixelFormat) {
    WglDevice device(64, 48);
    ASSERT_EQ(device.GetLastError(), "");
    ASSERT_EQ(device.DrawingWidth(), 64);
    ASSERT_EQ(device.DrawingHeight(), 48);
    GLContext context;
    ASSERT_TRUE(context.Create(&device, 0));
    ASSERT_NE(context.GetHandle(), nullptr);
    const PixelFormatDescriptor& request = GLContext::GetPixelFormatRequest();
    // The request asks for the display's depth, which Wine reads from X.
    EXPECT_EQ(request.colorBits, device.QueryColorDepth());
    EXPECT_GE(request.colorBits, 24);

    const PIXELFORMATDESCRIPTOR described = DescribeChosen(device);
    const DWORD wanted = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    EXPECT_EQ(described.dwFlags & wanted, wanted);
    EXPECT_EQ(described.iPixelType, PFD_TYPE_RGBA);
    EXPECT_EQ(described.cColorBits, request.colorBits);
    EXPECT_GE(described.cDepthBits, 16);
    EXPECT_EQ(described.cAccumBits, 0);
    EXPECT_EQ(described.cAuxBuffers, 0);

    // What the current context draws into.
    GLboolean doubleBuffered = GL_FALSE;
    glGetBooleanv(GL_DOUBLEBUFFER, &doubleBuffered);
    EXPECT_EQ(doubleBuffered, GL_TRUE);
    GLint red = 0;
    GLint green = 0;
    GLint blue = 0;
    glGetIntegerv(GL_RED_BITS, &red);
    glGetIntegerv(GL_GREEN_BITS, &green);
    glGetIntegerv(GL_BLUE_BITS, &blue);
    EXPECT_EQ(red, 8);
    EXPECT_EQ(green, 8);
    EXPECT_EQ(blue, 8);
}

struct FormatRequest {
    const char* name;
    bool doubleBuffer;
    std::uint8_t depthBits;
    std::uint8_t stencilBits;
};

void PrintTo(const FormatRequest& r, std::ostream* out) {
    *out << r.name;
}

class WglFormatChoice : public ::testing::TestWithParam<FormatRequest> {};

TEST_P(WglFormatChoice, TheChosenFormatHasWhatWasAskedFor) {
    const FormatRequest& r = GetParam();
    WglDevice device(16, 16);
    PixelFormatDescriptor request;
    request.colorBits = 32;
    request.doubleBuffer = r.doubleBuffer;
    request.depthBits = r.depthBits;
    request.stencilBits = r.stencilBits;
    const int format = device.ChoosePixelFormat(request);
    ASSERT_GT(format, 0);
    PIXELFORMATDESCRIPTOR described{};
    ASSERT_NE(DescribePixelFormat(device.DrawingDC(), format, sizeof described, &described), 0);
    EXPECT_EQ((described.dwFlags & PFD_DOUBLEBUFFER) != 0, r.doubleBuffer);
    EXPECT_NE(described.dwFlags & PFD_SUPPORT_OPENGL, 0U);
    EXPECT_GE(described.cDepthBits, r.depthBits);
    EXPECT_GE(described.cStencilBits, r.stencilBits);
    ASSERT_TRUE(device.SetPixelFormat(format, request));
    EXPECT_EQ(GetPixelFormat(device.DrawingDC()), format);
}

INSTANTIATE_TEST_SUITE_P(Requests, WglFormatChoice,
                         ::testing::Values(FormatRequest{"DoubleDepth16", true, 16, 0},
                                           FormatRequest{"SingleDepth16", false, 16, 0},
                                           FormatRequest{"DoubleDepth24Stencil8", true, 24, 8}),
                         [](const ::testing::TestParamInfo<FormatRequest>& info) {
                             return info.param.name;
                         });

struct RefusedDevice {
    const char* name;
    bool window; // made for a target window (a null one) rather than offscreen
    int width;
    int height;
};

void PrintTo(const RefusedDevice& r, std::ostream* out) {
    *out << r.name;
}

class WglRefusedDevice : public ::testing::TestWithParam<RefusedDevice> {};

TEST_P(WglRefusedDevice, GivesNoContextAndShowsNothing) {
    const RefusedDevice& r = GetParam();
    const std::unique_ptr<WglDevice> made =
        r.window ? std::make_unique<WglDevice>(static_cast<::HWND>(nullptr))
                 : std::make_unique<WglDevice>(r.width, r.height);
    WglDevice& device = *made;
    EXPECT_NE(device.GetLastError(), "");
    EXPECT_EQ(device.DrawingWindow(), nullptr);
    EXPECT_EQ(device.ChoosePixelFormat(GLContext::GetPixelFormatRequest()), 0);
    GLContext context;
    EXPECT_FALSE(context.Create(&device, 0));
    EXPECT_EQ(context.GetHandle(), nullptr);
    EXPECT_FALSE(device.SwapBuffers());
    std::vector<std::uint8_t> rgba;
    EXPECT_FALSE(device.ReadPixels(rgba));
}

INSTANTIATE_TEST_SUITE_P(Devices, WglRefusedDevice,
                         ::testing::Values(RefusedDevice{"NullTarget", true, 0, 0},
                                           RefusedDevice{"ZeroWidth", false, 0, 10},
                                           RefusedDevice{"NegativeHeight", false, 10, -1}),
                         [](const ::testing::TestParamInfo<RefusedDevice>& info) {
                             return info.param.name;
                         });

TEST(WglDeviceTest, SwapBuffersNeedsItsContextCurrent) {
    WglDevice device(32, 32);
    {
        GLContext context;
        ASSERT_TRUE(context.Create(&device, 0));
        ASSERT_TRUE(device.MakeCurrent(nullptr));
        EXPECT_FALSE(device.SwapBuffers()) << "no context current";
        ASSERT_TRUE(device.MakeCurrent(context.GetHandle()));
        EXPECT_TRUE(device.SwapBuffers());
    }
    // The context is gone with its owner.
    EXPECT_FALSE(device.SwapBuffers());
    std::vector<std::uint8_t> rgba;
    ASSERT_TRUE(device.ReadPixels(rgba)) << "the frame presented before stays";
    EXPECT_EQ(rgba.size(), 32U * 32U * 4U);
}

} // namespace
} // namespace curvix::test
