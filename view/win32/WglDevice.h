#pragma once

#include "GLDevice.h"

#include <cstdint>
#include <string>
#include <vector>

// The Win32 handle types, declared as <windows.h> declares them (the names
// are the system headers'), so that this header brings none of its macros
// along.
struct HWND__; // NOLINT(bugprone-reserved-identifier)
struct HDC__;  // NOLINT(bugprone-reserved-identifier)

namespace curvix {

// An OpenGL drawable for a Win32 window through WGL. The context draws into
// a hidden top-level window of this device's own (never shown, sized to the
// target's client area), and SwapBuffers presents the finished back buffer
// by reading it back and copying it into the target window with
// SetDIBitsToDevice. Contexts on child windows do not reach the screen under
// every OpenGL driver (Wine's among them); this way the frame is shown at
// once, the same way everywhere.
//
// Without a target window the device draws offscreen at a fixed size, and
// SwapBuffers only keeps the frame for ReadPixels.
class WglDevice final : public GLDevice {
public:
    // Presents into target's client area. MakeCurrent resizes the drawing
    // window to the target's client size first whenever that changed (and
    // swaps the hidden window's buffers once, so that the driver takes the
    // new size), so the view's size and paint steps, which make the context
    // current before they set the viewport or draw, always draw at the
    // right size.
    explicit WglDevice(HWND__* target);
    // Offscreen, width x height pixels.
    WglDevice(int width, int height);
    ~WglDevice() override;
    WglDevice(const WglDevice&) = delete;
    WglDevice& operator=(const WglDevice&) = delete;

    // The display mode's bits per pixel; 0 when it cannot be read.
    int QueryColorDepth() override;
    int ChoosePixelFormat(const PixelFormatDescriptor& request) override;
    bool SetPixelFormat(int format, const PixelFormatDescriptor& request) override;
    GLRenderContext CreateContext() override;
    bool MakeCurrent(GLRenderContext context) override;
    void DeleteContext(GLRenderContext context) override;
    // Reads the back buffer at the target's client size (or the offscreen
    // size) and copies it into the target. False when no context is
    // current on this device or the target window is gone.
    bool SwapBuffers() override;

    // The last presented frame as RGBA bytes (alpha 255), rows from the
    // top, and its size. False when nothing has been presented yet.
    bool ReadPixels(std::vector<std::uint8_t>& rgba) const;
    int FrameWidth() const { return m_frameWidth; }
    int FrameHeight() const { return m_frameHeight; }

    // The hidden window the contexts draw into, its device context, and its
    // client size; null and 0 when it could not be made.
    HWND__* DrawingWindow() const { return m_drawingWindow; }
    HDC__* DrawingDC() const { return m_drawingDC; }
    int DrawingWidth() const { return m_drawingWidth; }
    int DrawingHeight() const { return m_drawingHeight; }

    // What went wrong first, for the user; empty while all is well.
    const std::string& GetLastError() const { return m_lastError; }

private:
    void CreateDrawingWindow(int width, int height);
    // Gives the drawing window the target's client size; true when its
    // size changed.
    bool FollowTargetSize();
    void ReadBackBuffer(int width, int height);
    bool CopyFrameToTarget();
    bool IsCurrentHere() const;
    bool Fail(const std::string& message);

    HWND__* m_target = nullptr; // null offscreen
    bool m_offscreen = false;
    HWND__* m_drawingWindow = nullptr;
    HDC__* m_drawingDC = nullptr; // the class's own DC: valid for the window's life
    int m_drawingWidth = 0;
    int m_drawingHeight = 0;
    // The last frame read back: BGRA, rows from the bottom, kept between
    // frames so that a frame of the same size allocates nothing.
    std::vector<std::uint8_t> m_frame;
    int m_frameWidth = 0;
    int m_frameHeight = 0;
    bool m_presented = false;
    std::string m_lastError;
};

} // namespace curvix
