#pragma once

#include <filesystem>
#include <string>

namespace curvix {

// A file name as the program holds it, as a path of the system and back:
// UTF-8 text on Windows (whose narrow paths would go through the ANSI code
// page), the name's own bytes elsewhere.
std::filesystem::path PathFromName(const std::string& name);
std::string NameFromPath(const std::filesystem::path& path);

// The last component of a name: after its last "/" (or "\\" on Windows).
std::string FileNameOf(const std::string& name);

} // namespace curvix
