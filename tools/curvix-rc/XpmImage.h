#pragma once

#include "ResourceTable.h"

#include <cstdint>
#include <string>
#include <vector>

namespace curvix {

// A picture read from XPM lines: 0xRRGGBB per pixel, row by row from the
// top, or kXpmTransparent where the picture shows what lies under it.
struct XpmImage {
    int width = 0;
    int height = 0;
    std::vector<std::int32_t> pixels;

    std::int32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

inline constexpr std::int32_t kXpmTransparent = -1;

// Reads the XPM subset the program's pictures use: the values line
// "WIDTH HEIGHT COLOURS CHARS_PER_PIXEL", colour lines whose "c" key is
// "None" or "#RRGGBB", then the pixel rows. False with the reason in error
// for anything else; the lines are trusted to be as many as the values
// line says.
bool ReadXpm(XpmData xpm, XpmImage& image, std::string& error);

} // namespace curvix
