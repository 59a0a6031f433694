#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

namespace curvix::test {

struct Rgb {
    std::uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kGreen{0, 153, 0};
inline constexpr Rgb kBlack{0, 0, 0};

// RGBA bytes, rows from the top.
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;

    Rgb At(int column, int row) const {
        const std::size_t i = (static_cast<std::size_t>(row) * width + column) * 4;
        return Rgb{rgba.at(i), rgba.at(i + 1), rgba.at(i + 2)};
    }
    bool Lit(int column, int row) const { return At(column, row) != kBlack; }
};

// Where plot positions land for half-extents ex, ey in a width x height
// viewport: the projection box is ±(e + 1). Lines on a pixel border fall on
// the pixel before it, counting columns from the left and rows from the
// bottom.
struct PlotPixels {
    float ex;
    float ey;
    int width;
    int height;

    int Column(float x) const {
        const double right = ex + 1.0F;
        return static_cast<int>(std::ceil((x + right) / (2.0 * right) * width)) - 1;
    }
    int Row(float y) const {
        const double top = ey + 1.0F;
        return height - static_cast<int>(std::ceil((y + top) / (2.0 * top) * height));
    }
    // The plot position of a pixel's centre.
    float XOf(int column) const {
        const double right = ex + 1.0F;
        return static_cast<float>((column + 0.5) / width * 2.0 * right - right);
    }
    float YOf(int row) const {
        const double top = ey + 1.0F;
        return static_cast<float>((height - row - 0.5) / height * 2.0 * top - top);
    }
};

} // namespace curvix::test
