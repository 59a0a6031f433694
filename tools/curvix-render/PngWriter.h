#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace curvix {

// Writes an 8-bit RGB PNG from RGBA pixels given row by row from the top
// (the alpha channel is dropped: the frame has none). False with a reason
// in error when the file cannot be written.
bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgba,
              std::string& error);

} // namespace curvix
