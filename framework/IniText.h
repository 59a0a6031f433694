#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace curvix {

// The text of an INI settings file as Qt's QSettings reads and writes it:
// keys and values are UTF-16 in memory and escaped UTF-8 in the file, and
// whatever is not valid there is replaced as Qt replaces it.

// Every byte that does not begin a complete, valid UTF-8 sequence becomes
// U+FFFD; a byte-order mark at the start is dropped.
std::u16string Utf16FromUtf8(std::string_view bytes);

// A key or section name as the file spells it: ASCII letters and digits,
// '_', '-' and '.' stay, '/' becomes '\', any other unit %XX or %UXXXX.
void AppendIniKey(std::u16string_view key, std::string& out);
// The key a file's spelling stands for.
std::u16string IniKeyFromFile(std::string_view spelling);

// One string: control characters, '"' and '\' escaped, the rest in UTF-8,
// in quotes when it holds ';', ',' or '=' or begins or ends with a space.
// A string starting "@ByteArray(", "@Variant(" or "@DateTime(" holds
// bytes: those above 0x7E are escaped rather than encoded.
void AppendIniString(std::u16string_view text, std::string& out);
// A list: its items as above, joined by ", "; an empty one is "@Invalid()".
void AppendIniStringList(const std::vector<std::u16string>& items, std::string& out);
// The string a value's bytes stand for, or the list of them when they hold
// a ',' outside quotes; true for a list.
bool IniValueFromFile(std::string_view spelling, std::u16string& text,
                      std::vector<std::u16string>& list);

} // namespace curvix
