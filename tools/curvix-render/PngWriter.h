#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace curvix {

// Encodes RGBA pixels given row by row from the top as an 8-bit RGB PNG
// into file (the alpha channel is dropped: the frame has none). False with
// the cause in cause: the system's text for a failed write, or the
// encoder's own message.
bool EncodePng(std::FILE* file, int width, int height, const std::vector<std::uint8_t>& rgba,
               std::string& cause);

// Writes the PNG to path, "-" being standard output. A file is replaced only
// by a complete picture: on failure an existing one stays byte for byte
// (CSaveFile). False with "cannot write PATH: CAUSE" in error.
bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgba,
              std::string& error);

} // namespace curvix
