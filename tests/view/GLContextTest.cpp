// GLContext against a device that records every platform call.

#include "GLContext.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace curvix {
namespace {

class FakeDevice : public GLDevice {
public:
    int colorDepth = 24;
    int formatToChoose = 7;
    bool acceptFormat = true;
    GLRenderContext contextToCreate = reinterpret_cast<GLRenderContext>(0x1234);

    std::vector<std::string> calls;
    std::vector<PixelFormatDescriptor> requests; // as given to ChoosePixelFormat
    std::vector<int> formatsSet;
    std::vector<GLRenderContext> madeCurrent;
    std::vector<GLRenderContext> deleted;

    int QueryColorDepth() override {
        calls.push_back("QueryColorDepth");
        return colorDepth;
    }
    int ChoosePixelFormat(const PixelFormatDescriptor& request) override {
        calls.push_back("ChoosePixelFormat");
        requests.push_back(request);
        return formatToChoose;
    }
    bool SetPixelFormat(int format, const PixelFormatDescriptor&) override {
        calls.push_back("SetPixelFormat");
        formatsSet.push_back(format);
        return acceptFormat;
    }
    GLRenderContext CreateContext() override {
        calls.push_back("CreateContext");
        return contextToCreate;
    }
    bool MakeCurrent(GLRenderContext context) override {
        calls.push_back("MakeCurrent");
        madeCurrent.push_back(context);
        return true;
    }
    void DeleteContext(GLRenderContext context) override {
        calls.push_back("DeleteContext");
        deleted.push_back(context);
    }
    bool SwapBuffers() override {
        calls.push_back("SwapBuffers");
        return true;
    }
};

using Calls = std::vector<std::string>;
const Calls kCreateCalls = {"QueryColorDepth", "ChoosePixelFormat", "SetPixelFormat",
                            "CreateContext", "MakeCurrent"};

TEST(GLContextTest, NullDeviceFailsAtOnce) {
    GLContext context;
    EXPECT_FALSE(context.Create(nullptr, 0));
    EXPECT_EQ(context.GetHandle(), nullptr);
}

TEST(GLContextTest, CreateSetsFormatCreatesAndMakesCurrentThenReleasesInOrder) {
    FakeDevice device;
    {
        GLContext context;
        EXPECT_EQ(context.GetHandle(), nullptr);
        ASSERT_TRUE(context.Create(&device, 0));
        EXPECT_EQ(device.calls, kCreateCalls);
        EXPECT_EQ(device.formatsSet, std::vector<int>{7}); // the chosen one, untested
        EXPECT_EQ(device.madeCurrent, std::vector<GLRenderContext>{device.contextToCreate});
        EXPECT_EQ(context.GetHandle(), device.contextToCreate);
        device.calls.clear();
    }
    // Nothing current any more before the context goes.
    EXPECT_EQ(device.calls, (Calls{"MakeCurrent", "DeleteContext"}));
    EXPECT_EQ(device.madeCurrent.back(), nullptr);
    EXPECT_EQ(device.deleted, std::vector<GLRenderContext>{device.contextToCreate});
}

TEST(GLContextTest, RefusedFormatCreatesNothingAndDestructionCallsNothing) {
    FakeDevice device;
    device.acceptFormat = false;
    {
        GLContext context;
        EXPECT_FALSE(context.Create(&device, 0));
        EXPECT_EQ(device.calls, (Calls{"QueryColorDepth", "ChoosePixelFormat", "SetPixelFormat"}));
        EXPECT_EQ(context.GetHandle(), nullptr);
        device.calls.clear();
    }
    EXPECT_TRUE(device.calls.empty());
}

TEST(GLContextTest, NoMatchingFormatIsPassedOnAndRefusedByTheDevice) {
    FakeDevice device;
    device.formatToChoose = 0;
    device.acceptFormat = false;
    GLContext context;
    EXPECT_FALSE(context.Create(&device, 0));
    EXPECT_EQ(device.formatsSet, std::vector<int>{0});
}

TEST(GLContextTest, FailedContextCreationStillReportsSuccessButHoldsNothing) {
    FakeDevice device;
    device.contextToCreate = nullptr;
    {
        GLContext context;
        EXPECT_TRUE(context.Create(&device, 0));
        EXPECT_EQ(device.calls, kCreateCalls);
        EXPECT_EQ(device.madeCurrent, std::vector<GLRenderContext>{nullptr});
        EXPECT_EQ(context.GetHandle(), nullptr);
        device.calls.clear();
    }
    EXPECT_TRUE(device.calls.empty());
}

TEST(GLContextTest, NeverCreatedContextReleasesNothing) {
    FakeDevice device;
    { GLContext context; }
    EXPECT_TRUE(device.calls.empty());
}

TEST(GLContextTest, SecondCreateReleasesTheFirstContext) {
    FakeDevice device;
    GLContext context;
    ASSERT_TRUE(context.Create(&device, 0));
    const GLRenderContext first = context.GetHandle();
    device.contextToCreate = reinterpret_cast<GLRenderContext>(0x5678);
    device.calls.clear();
    ASSERT_TRUE(context.Create(&device, 0));
    EXPECT_EQ(device.deleted, std::vector<GLRenderContext>{first});
    EXPECT_EQ(context.GetHandle(), device.contextToCreate);
}

TEST(GLContextTest, LaterContextsRequestWhatTheFirstRequested) {
    FakeDevice first;
    GLContext a;
    a.Create(&first, 0);
    FakeDevice second;
    second.colorDepth = 16;
    GLContext b;
    b.Create(&second, 8);
    ASSERT_EQ(first.requests.size(), 1U);
    ASSERT_EQ(second.requests.size(), 1U);
    EXPECT_EQ(second.requests[0], first.requests[0]);
    EXPECT_EQ(GLContext::GetPixelFormatRequest(), first.requests[0]);
    // The display is still asked each time, as the platform call sequence has it.
    EXPECT_EQ(second.calls.front(), "QueryColorDepth");
}

// The request is fixed by the first call in a process, so these run in a
// fresh process of their own.
class FirstRequestTest : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

// Exits with 0 when the first request has every field right.
[[noreturn]] void CheckFirstRequest(int displayDepth, std::uint8_t stencil, int expectedColorBits) {
    FakeDevice device;
    device.colorDepth = displayDepth;
    GLContext context;
    context.Create(&device, stencil);
    FakeDevice later;
    later.colorDepth = 8;
    GLContext second;
    second.Create(&later, 4);
    const PixelFormatDescriptor& r = device.requests.at(0);
    const bool ok = r.drawToWindow && r.supportOpenGL && r.doubleBuffer && r.rgba &&
                    r.colorBits == expectedColorBits && r.alphaBits == 0 && r.accumBits == 0 &&
                    r.depthBits == 16 && r.stencilBits == stencil && r.auxBuffers == 0 &&
                    r.mainPlane && later.requests.at(0) == r;
    std::exit(ok ? 0 : 1);
}

TEST_F(FirstRequestTest, UsesDisplayDepthSixteenBitDepthAndGivenStencil) {
    EXPECT_EXIT(CheckFirstRequest(24, 0, 24), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(CheckFirstRequest(32, 8, 32), ::testing::ExitedWithCode(0), "");
}

TEST_F(FirstRequestTest, UnknownDisplayDepthRequestsTrueColour) {
    EXPECT_EXIT(CheckFirstRequest(0, 0, 32), ::testing::ExitedWithCode(0), "");
}

TEST_F(FirstRequestTest, OnlyTheLowEightBitsOfTheDepthAreKept) {
    EXPECT_EXIT(CheckFirstRequest(0x118, 0, 0x18), ::testing::ExitedWithCode(0), "");
}

} // namespace
} // namespace curvix
