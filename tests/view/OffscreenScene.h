#pragma once

#include "CurvixScene.h"
#include "EglDevice.h"
#include "SceneSettings.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace curvix::test {

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

// A read-back frame, rows from the top.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;

    Rgb At(int column, int row) const;
    bool Lit(int column, int row) const { return At(column, row) != Rgb{0, 0, 0}; }
    bool operator==(const Image&) const = default;
};

// A view drawing its scene into a software-rendered offscreen image, set up
// as the window would: context and fixed state at creation, projection at
// the size message (with the scene numbers at that moment), one frame.
class OffscreenScene {
public:
    OffscreenScene(int width, int height);

private:
    // Made first and destroyed last: the view's context lives on it.
    std::unique_ptr<EglDevice> m_device;

public:
    // Empty when a context was obtained; otherwise why not.
    std::string Problem() const;

    SceneSettings scene;
    CCurvixScene view;

    void SetCurve(const std::function<float(float)>& f, float first = -10.0F, float last = 10.0F,
                  float step = 0.1F);
    // Projection for the image size, then one frame, read back.
    Image Render();

    // Where a plot position lands with the current projection numbers:
    // the pixel column and the row from the top. Lines at a pixel border
    // fall on the pixel before it.
    int Column(float x) const;
    int Row(float y) const;
    // The plot position of a pixel's centre.
    float XOf(int column) const;
    float YOf(int row) const;

    EglDevice& Device() { return *m_device; }
};

// Fails the test under CI=true and skips it elsewhere when no offscreen
// OpenGL context can be had.
#define CURVIX_REQUIRE_CONTEXT(offscreen)                                                          \
    do {                                                                                           \
        const std::string problem_ = (offscreen).Problem();                                        \
        if (!problem_.empty()) {                                                                   \
            if (::curvix::test::RunningInCI()) {                                                   \
                FAIL() << "no OpenGL context: " << problem_;                                       \
            }                                                                                      \
            GTEST_SKIP() << "no OpenGL context: " << problem_;                                     \
        }                                                                                          \
    } while (false)

bool RunningInCI();

} // namespace curvix::test
