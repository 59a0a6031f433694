#pragma once

#include "XpmImage.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace curvix {

// The 16 colours of 4-bit pictures, in the order of the system's default
// palette; every colour of a picture written here must be one of them.
inline constexpr std::array<std::uint32_t, 16> kSixteenColours{
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
    0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

// A .bmp file, 4 bits per pixel, of image. Transparent pixels are the
// light grey (0xC0C0C0) that the toolbar control shows in the button
// face's colour. False with the reason in error.
bool EncodeBitmapFile(const XpmImage& image, std::vector<std::uint8_t>& file, std::string& error);

// An .ico file holding images in the order given, each 4 bits per pixel
// with its AND mask: transparent pixels are masked (black in the colour
// part, set in the mask). False with the reason in error.
bool EncodeIconFile(const std::vector<XpmImage>& images, std::vector<std::uint8_t>& file,
                    std::string& error);

} // namespace curvix
