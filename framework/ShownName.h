#pragma once

#include <string>
#include <string_view>

namespace curvix {

// Whether bytes are well-formed UTF-8 (no overlong forms, surrogates or
// points beyond U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// A file name as a message shows it, always on one line: control
// characters and bytes that are not part of valid UTF-8 become \xNN, so a
// line feed in a name can never split the message and a terminal never
// receives raw escape sequences.
std::string ShownFileName(std::string_view path);

} // namespace curvix
