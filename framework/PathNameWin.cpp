#include "PathName.h"
#include "WinSystem.h"

namespace curvix {

std::filesystem::path PathFromName(const std::string& name) {
    return WideFromUtf8(name);
}

std::string NameFromPath(const std::filesystem::path& path) {
    return Utf8FromWide(path.wstring());
}

std::string FileNameOf(const std::string& name) {
    const auto separator = name.find_last_of("\\/");
    return separator == std::string::npos ? name : name.substr(separator + 1);
}

} // namespace curvix
