#include "PathName.h"

namespace curvix {

std::filesystem::path PathFromName(const std::string& name) {
    return name;
}

std::string NameFromPath(const std::filesystem::path& path) {
    return path.string();
}

std::string FileNameOf(const std::string& name) {
    const auto separator = name.find_last_of('/');
    return separator == std::string::npos ? name : name.substr(separator + 1);
}

} // namespace curvix
