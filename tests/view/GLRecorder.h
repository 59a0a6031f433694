#pragma once

#include "GLApi.h"
#include "GLDevice.h"

#include <ostream>
#include <string>
#include <vector>

namespace curvix::test {

// One call as it reached OpenGL (or the device): its name and arguments,
// each widened to double without loss.
struct GLCall {
    std::string name;
    std::vector<double> args;

    bool operator==(const GLCall&) const = default;
};

void PrintTo(const GLCall& call, std::ostream* out);

// While alive, the scene drawing's OpenGL calls are logged instead of made.
class GLRecorder {
public:
    GLRecorder();
    const std::vector<GLCall>& Calls() const;
    void Clear();
    // The vertices between the Begin(mode) at batch index and its End.
    std::vector<std::pair<float, float>> Batch(GLenum mode, int index = 0) const;

private:
    ScopedGLApi m_scope;
};

// A device whose only working operation is the swap, which is logged with
// the OpenGL calls.
class SwapLoggingDevice : public GLDevice {
public:
    int QueryColorDepth() override { return 0; }
    int ChoosePixelFormat(const PixelFormatDescriptor&) override { return 0; }
    bool SetPixelFormat(int, const PixelFormatDescriptor&) override { return false; }
    GLRenderContext CreateContext() override { return nullptr; }
    bool MakeCurrent(GLRenderContext) override { return false; }
    void DeleteContext(GLRenderContext) override {}
    bool SwapBuffers() override;
};

} // namespace curvix::test
