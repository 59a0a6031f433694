#pragma once

#include <cstdio>
#include <functional>
#include <string>

namespace curvix {

// Writes an image with encode to path, "-" being standard output. A file is
// replaced only by a complete image: on failure an existing one stays byte
// for byte (CSaveFile). encode writes to the stream it is given and on
// failure returns false with the cause. False with "cannot write PATH:
// CAUSE" in error.
bool WriteImageOutput(const std::string& path,
                      const std::function<bool(std::FILE*, std::string&)>& encode,
                      std::string& error);

} // namespace curvix
