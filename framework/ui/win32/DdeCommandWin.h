#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace curvix {

// The longest command text taken, in UTF-16 units: no longer than the
// longest command line Windows starts a program with.
inline constexpr std::size_t kDdeCommandMaxLength = 32767;

// The paths, in UTF-8, of a shell's execute command: one or more
// [open("PATH")], the command name in any case, blanks (spaces, tabs)
// before, between and after the brackets. A path is any text but quotes,
// control characters (U+0000 to U+001F, U+007F) and unpaired surrogates,
// and not empty. Anything else is refused as a whole: nullopt, and none of
// its paths is opened.
std::optional<std::vector<std::string>> ParseDdeOpenCommand(std::wstring_view command);

// The command text of an execute's memory (bytes long): UTF-16 when wide,
// else text in the ANSI code page, up to its terminating zero. Nullopt
// when no zero ends it within the memory or within kDdeCommandMaxLength
// units, or when the ANSI text does not convert.
std::optional<std::wstring> ReadDdeCommandText(const void* memory, std::size_t bytes, bool wide);

} // namespace curvix
