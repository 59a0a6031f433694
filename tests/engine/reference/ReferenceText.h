#pragma once

#include <string>
#include <string_view>

namespace curvix::reference {

// Formula text as the engine sees it: 16-bit units, each byte widened with
// its sign, so 0x80..0xFF become 0xFF80..0xFFFF.
std::u16string Widen(std::string_view bytes);

// The editing operations the tokenizer normalises with, literally: a
// match is removed one unit at a time and the scan resumes n - 1 units
// before the place of the match.
void ToLowerAscii(std::u16string& text);
void RemoveAll(std::u16string& text, const std::u16string& pattern, int start);
void ReplaceAll(std::u16string& text, const std::u16string& pattern,
                const std::u16string& replacement);

} // namespace curvix::reference
