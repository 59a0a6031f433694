#include "ReferenceText.h"

#include <cstdint>

namespace curvix::reference {
namespace {

int Length(const std::u16string& text) {
    return static_cast<int>(text.size());
}

char16_t At(const std::u16string& text, int index) {
    return index >= 0 && index < Length(text) ? text[static_cast<std::size_t>(index)] : u'\0';
}

bool MatchesAt(const std::u16string& text, const std::u16string& pattern, int p) {
    for (int j = 0; j < Length(pattern); ++j) {
        if (p + j >= Length(text) || At(text, p + j) != pattern[static_cast<std::size_t>(j)]) {
            return false;
        }
    }
    return true;
}

void RemoveUnitAt(std::u16string& text, int p) {
    if (p >= 0 && p < Length(text)) {
        text.erase(static_cast<std::size_t>(p), 1);
    }
}

} // namespace

std::u16string Widen(std::string_view bytes) {
    std::u16string units;
    for (const char c : bytes) {
        const auto widened = static_cast<std::int16_t>(static_cast<signed char>(c));
        units.push_back(static_cast<char16_t>(static_cast<std::uint16_t>(widened)));
    }
    return units;
}

void ToLowerAscii(std::u16string& text) {
    for (char16_t& unit : text) {
        if (unit >= 0x41 && unit <= 0x5A) {
            unit = static_cast<char16_t>(unit + 0x20);
        }
    }
}

void RemoveAll(std::u16string& text, const std::u16string& pattern, int start) {
    if (pattern.empty()) {
        return;
    }
    const int n = Length(pattern);
    int p = start;
    while (p < Length(text)) {
        if (MatchesAt(text, pattern, p)) {
            for (int k = 0; k < n; ++k) {
                RemoveUnitAt(text, p);
            }
            p = p - n + 1;
        } else {
            p = p + 1;
        }
    }
}

void ReplaceAll(std::u16string& text, const std::u16string& pattern,
                const std::u16string& replacement) {
    if (pattern.empty()) {
        return;
    }
    const int n = Length(pattern);
    int p = 0;
    while (p < Length(text)) {
        if (MatchesAt(text, pattern, p)) {
            for (int k = 0; k < n; ++k) {
                RemoveUnitAt(text, p);
            }
            text.insert(static_cast<std::size_t>(p), replacement);
            p = p - n + 1;
        } else {
            p = p + 1;
        }
    }
}

} // namespace curvix::reference
