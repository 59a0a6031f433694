#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

namespace curvix {

// Writes path through CSaveFile: what write puts into the stream replaces
// the file only once all of it is written. False with cause on failure,
// the file then as it was: write's own cause when write fails, otherwise
// the system's words for the step that failed.
bool WriteFileAtomically(const std::string& path,
                         const std::function<bool(std::FILE*, std::string& cause)>& write,
                         std::string& cause);

// The same for bytes held in memory. A write cut short is told by errno,
// or as an input/output error where the system left none.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& cause);

} // namespace curvix
