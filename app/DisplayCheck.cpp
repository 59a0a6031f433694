#include "DisplayCheck.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace curvix {

namespace {

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

const char* PlatformArgument(int argc, const char* const* argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) {
            return argv[i + 1];
        }
    }
    return nullptr;
}

void AppendShown(std::string& out, const char* text) {
    for (const char* p = text; *p != '\0'; ++p) {
        const auto byte = static_cast<unsigned char>(*p);
        if (byte < 0x20 || byte == 0x7f) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            out += escaped;
        } else {
            out += *p;
        }
    }
}

} // namespace

bool HasDisplay(int argc, const char* const* argv) {
    if (IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("QT_QPA_PLATFORM")) {
        return true;
    }
    return PlatformArgument(argc, argv) != nullptr;
}

std::string DescribeDisplay(int argc, const char* const* argv) {
    std::string description;
    const auto add = [&description](const char* name, const char* value) {
        if (!description.empty()) {
            description += ", ";
        }
        description += name;
        AppendShown(description, value);
    };
    if (const char* platform = PlatformArgument(argc, argv)) {
        add("-platform ", platform);
    }
    for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') {
            add((std::string(name) + "=").c_str(), value);
        }
    }
    return description;
}

std::string UnreachableDisplayText(int argc, const char* const* argv) {
    return "curvix: cannot open the display (" + DescribeDisplay(argc, argv) +
           "): no display server answers there, or Qt's platform plugin for it is missing";
}

} // namespace curvix
