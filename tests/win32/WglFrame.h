#pragma once

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

} // namespace curvix::test
