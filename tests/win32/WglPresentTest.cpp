// Frames presented into a real window: a visible top-level window with a
// child as the view's window, the scene drawn through the device
// CreateWindowGLDevice makes for the child, and the child's pixels read
// back from the screen.

#include "CurvixDoc.h"
#include "CurvixScene.h"
#include "SceneSettings.h"
#include "WglDevice.h"
#include "WglFrame.h"
#include "WglSceneImage.h"
#include "Win32Api.h"
#include "WindowGLDevice.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>

namespace curvix::test {
namespace {

constexpr const wchar_t* kFrameClass = L"CurvixWglTestFrame";
constexpr const wchar_t* kChildClass = L"CurvixWglTestChild";
// The child's own background: what the screen shows where no frame came.
constexpr COLORREF kChildBackground = RGB(200, 40, 160);

void RegisterTestClasses() {
    static bool registered = false;
    if (registered) {
        return;
    }
    WNDCLASSEXW frame{};
    frame.cbSize = sizeof frame;
    frame.lpfnWndProc = DefWindowProcW;
    frame.hInstance = GetModuleHandleW(nullptr);
    frame.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    frame.lpszClassName = kFrameClass;
    RegisterClassExW(&frame);
    WNDCLASSEXW child = frame;
    child.hbrBackground = CreateSolidBrush(kChildBackground);
    child.lpszClassName = kChildClass;
    RegisterClassExW(&child);
    registered = true;
}

// Lets the windows process what they were sent (showing, painting), so that
// the window system has shown everything drawn so far.
void ProcessPendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != FALSE) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    GdiFlush();
}

// A visible frame without a border at a fixed place, with a child.
struct TestWindows {
    ::HWND frame = nullptr;
    ::HWND child = nullptr;

    TestWindows(int width, int height) {
        RegisterTestClasses();
        frame = CreateWindowExW(0, kFrameClass, L"Curvix WGL test", WS_POPUP, 40, 30, width + 60,
                                height + 50, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        child = CreateWindowExW(0, kChildClass, L"", WS_CHILD | WS_VISIBLE, 17, 23, width, height,
                                frame, nullptr, GetModuleHandleW(nullptr), nullptr);
        // Shown without activation: Wine then leaves the window to no
        // window manager, and destroying it waits for none.
        ShowWindow(frame, SW_SHOWNOACTIVATE);
        ProcessPendingMessages();
    }
    ~TestWindows() {
        if (frame != nullptr) {
            DestroyWindow(frame);
        }
        ProcessPendingMessages();
    }
    TestWindows(const TestWindows&) = delete;
    TestWindows& operator=(const TestWindows&) = delete;
};

// The child's client area as the screen shows it.
Frame CaptureFromScreen(::HWND window) {
    ProcessPendingMessages();
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    Frame frame{client.right, client.bottom, {}};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = frame.width;
    info.bmiHeader.biHeight = -frame.height; // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, frame.width, frame.height, screen, origin.x, origin.y, SRCCOPY);
        GdiFlush();
        const auto* bgra = static_cast<const std::uint8_t*>(bits);
        frame.rgba.resize(static_cast<std::size_t>(frame.width) * frame.height * 4);
        for (std::size_t i = 0; i < frame.rgba.size(); i += 4) {
            frame.rgba[i] = bgra[i + 2];
            frame.rgba[i + 1] = bgra[i + 1];
            frame.rgba[i + 2] = bgra[i];
            frame.rgba[i + 3] = 0xFF;
        }
        SelectObject(memory, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return frame;
}

// The pixels where two frames differ, for the message.
std::string Differences(const Frame& a, const Frame& b) {
    if (a.width != b.width || a.height != b.height) {
        return "sizes " + std::to_string(a.width) + "x" + std::to_string(a.height) + " and " +
               std::to_string(b.width) + "x" + std::to_string(b.height);
    }
    int count = 0;
    std::string first;
    for (int r = 0; r < a.height; ++r) {
        for (int c = 0; c < a.width; ++c) {
            if (a.At(c, r) != b.At(c, r)) {
                if (count++ == 0) {
                    const Rgb p = a.At(c, r);
                    const Rgb q = b.At(c, r);
                    first = " (first at column " + std::to_string(c) + " row " + std::to_string(r) +
                            ": " + std::to_string(p.r) + "," + std::to_string(p.g) + "," +
                            std::to_string(p.b) + " and " + std::to_string(q.r) + "," +
                            std::to_string(q.g) + "," + std::to_string(q.b) + ")";
                }
            }
        }
    }
    return std::to_string(count) + " pixels differ" + first;
}

// The view's part: the document's numbers, the scene on the child's device.
struct PresentedScene {
    CCurvixDoc document;
    std::unique_ptr<GLDevice> device;
    CCurvixScene scene;

    explicit PresentedScene(::HWND child) {
        document.OnNewDocument();
        document.SetFormula(ExprString("x^2/10-3"));
        document.GetRotation()[0] = 25.0F;
        document.GetRotation()[2] = -10.0F;
        device = CreateWindowGLDevice(reinterpret_cast<curvix::HWND>(child));
        scene.CreateGL(device.get());
        scene.SetDocument(&document);
        scene.SetScenePointers(document.GetRotation(), document.GetHalfExtents(),
                               document.GetRange(), document.GetStep());
        scene.ComputeCurve();
    }
    ~PresentedScene() { scene.GetVertices().Clear(); }
    PresentedScene(const PresentedScene&) = delete;
    PresentedScene& operator=(const PresentedScene&) = delete;

    WglDevice& Wgl() const { return dynamic_cast<WglDevice&>(*device); }

    // What the view's size and paint steps do: the context made current,
    // the projection for the child's client size, one frame.
    bool Paint(::HWND child) {
        if (!device->MakeCurrent(scene.GetGLContext().GetHandle())) {
            return false;
        }
        RECT client{};
        GetClientRect(child, &client);
        scene.SetProjection(client.right, client.bottom);
        scene.RenderScene();
        return device->SwapBuffers();
    }

    // The same numbers drawn offscreen at a size.
    Frame Offscreen(int width, int height) {
        CCurvixDoc copy;
        copy.OnNewDocument();
        copy.SetFormula(document.GetFormula());
        for (int i = 0; i < 3; ++i) {
            copy.GetRotation()[i] = document.GetRotation()[i];
        }
        WglImage image;
        std::string error;
        RenderDocumentWgl(copy, width, height, image, error);
        // The offscreen scene made its own context current; the view's
        // drawing goes on in its own.
        device->MakeCurrent(scene.GetGLContext().GetHandle());
        return Frame{image.width, image.height, image.rgba};
    }
};

struct PresentCase {
    const char* name;
    int width; // the child's client size when the device is made
    int height;
    int laterWidth; // and when it is painted
    int laterHeight;
};

void PrintTo(const PresentCase& c, std::ostream* out) {
    *out << c.name;
}

class WglPresent : public ::testing::TestWithParam<PresentCase> {};

TEST_P(WglPresent, TheFrameReachesTheChildWindowOnTheScreen) {
    const PresentCase& c = GetParam();
    TestWindows windows(std::max(c.width, c.laterWidth), std::max(c.height, c.laterHeight));
    ASSERT_NE(windows.child, nullptr);
    SetWindowPos(windows.child, nullptr, 0, 0, c.width, c.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ProcessPendingMessages();
    PresentedScene view(windows.child);
    ASSERT_NE(view.scene.GetGLContext().GetHandle(), nullptr) << view.Wgl().GetLastError();
    EXPECT_EQ(view.Wgl().DrawingWidth(), c.width);
    EXPECT_EQ(view.Wgl().DrawingHeight(), c.height);
    // The drawing window is never shown.
    EXPECT_EQ(IsWindowVisible(view.Wgl().DrawingWindow()), FALSE);

    // Before the first frame the child shows its own background.
    const Frame before = CaptureFromScreen(windows.child);
    ASSERT_EQ(before.At(c.width / 2, c.height / 2),
              (Rgb{GetRValue(kChildBackground), GetGValue(kChildBackground),
                   GetBValue(kChildBackground)}))
        << "the screen cannot be read back";

    if (c.laterWidth != c.width || c.laterHeight != c.height) {
        // Painted once at the first size, then resized as a frame resizes
        // its view.
        ASSERT_TRUE(view.Paint(windows.child));
        SetWindowPos(windows.child, nullptr, 0, 0, c.laterWidth, c.laterHeight,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ProcessPendingMessages();
    }
    ASSERT_TRUE(view.Paint(windows.child));
    EXPECT_EQ(view.Wgl().DrawingWidth(), c.laterWidth);
    EXPECT_EQ(view.Wgl().DrawingHeight(), c.laterHeight);

    std::vector<std::uint8_t> rgba;
    ASSERT_TRUE(view.Wgl().ReadPixels(rgba));
    const Frame presented{view.Wgl().FrameWidth(), view.Wgl().FrameHeight(), rgba};
    ASSERT_EQ(presented.width, c.laterWidth);
    ASSERT_EQ(presented.height, c.laterHeight);
    const Frame shown = CaptureFromScreen(windows.child);
    EXPECT_TRUE(shown.rgba == presented.rgba) << Differences(shown, presented);
    // And it is the scene the same numbers draw offscreen at that size.
    const Frame offscreen = view.Offscreen(c.laterWidth, c.laterHeight);
    EXPECT_TRUE(shown.rgba == offscreen.rgba) << Differences(shown, offscreen);
    EXPECT_EQ(shown.At(0, 0), kBlack);
}

INSTANTIATE_TEST_SUITE_P(Windows, WglPresent,
                         ::testing::Values(PresentCase{"Square", 240, 240, 240, 240},
                                           PresentCase{"OddSizes", 333, 211, 333, 211},
                                           PresentCase{"Grown", 160, 120, 420, 300},
                                           PresentCase{"Shrunk", 400, 300, 150, 250}),
                         [](const ::testing::TestParamInfo<PresentCase>& info) {
                             return info.param.name;
                         });

TEST(WglPresentTest, NothingIsPresentedOnceTheTargetIsGone) {
    TestWindows windows(120, 90);
    PresentedScene view(windows.child);
    ASSERT_TRUE(view.Paint(windows.child));
    DestroyWindow(windows.frame);
    windows.frame = nullptr;
    EXPECT_FALSE(view.Paint(windows.child));
}

} // namespace
} // namespace curvix::test
