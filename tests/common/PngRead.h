#pragma once

#include <cstdint>
#include <cstring>
#include <png.h>
#include <string>
#include <vector>

namespace curvix::test {

// Reads a PNG back as RGB bytes, rows from the top.
inline bool ReadPng(const std::string& path, int& width, int& height,
                    std::vector<std::uint8_t>& rgb) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) {
        return false;
    }
    image.format = PNG_FORMAT_RGB;
    rgb.resize(PNG_IMAGE_SIZE(image));
    width = int(image.width);
    height = int(image.height);
    return png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) != 0;
}

} // namespace curvix::test
