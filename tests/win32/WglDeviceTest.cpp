// The WGL device under Wine, with Mesa's software renderer behind it: the
// pixel format the context gets, and the device's refusals. (What it draws
// is compared pixel for pixel with curvix-render's pictures by
// compare-wgl-render.sh and the screenshot stage.)

#include "WglDevice.h"

#include "GLContext.h"
#include "Win32Api.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>

namespace curvix::test {
namespace {

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
