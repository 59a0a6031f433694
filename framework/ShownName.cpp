#include "ShownName.h"

#include <cstdio>

namespace curvix {

namespace {

// Length of the valid UTF-8 sequence starting at bytes[at], or 0.
std::size_t Utf8SequenceLength(std::string_view bytes, std::size_t at) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    char32_t point = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, point = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, point = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, point = lead & 0x07, smallest = 0x10000;
    } else {
        return 0;
    }
    if (bytes.size() - at < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(bytes[at + i]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        point = (point << 6) | (next & 0x3F);
    }
    const bool surrogate = point >= 0xD800 && point <= 0xDFFF;
    return point < smallest || surrogate || point > 0x10FFFF ? 0 : length;
}

void AppendEscaped(unsigned char byte, std::string& out) {
    char escaped[5];
    std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
    out += escaped;
}

} // namespace

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = Utf8SequenceLength(bytes, at);
        if (length == 0) {
            return false;
        }
        at += length;
    }
    return true;
}

std::string ShownFileName(std::string_view path) {
    std::string shown;
    shown.reserve(path.size());
    for (std::size_t at = 0; at < path.size();) {
        const auto byte = static_cast<unsigned char>(path[at]);
        const std::size_t length = Utf8SequenceLength(path, at);
        // C1 controls (U+0080 to U+009F) steer terminals just as C0 ones do.
        const bool c1Control =
            length == 2 && byte == 0xC2 && static_cast<unsigned char>(path[at + 1]) < 0xA0;
        if (length == 0 || byte < 0x20 || byte == 0x7F) {
            AppendEscaped(byte, shown);
            ++at;
        } else if (c1Control) {
            AppendEscaped(byte, shown);
            AppendEscaped(static_cast<unsigned char>(path[at + 1]), shown);
            at += 2;
        } else {
            shown.append(path.substr(at, length));
            at += length;
        }
    }
    return shown;
}

} // namespace curvix
