#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

namespace curvix::test {

// Floats compared and shown by their bit patterns: negative zero, NaN
// payloads and denormals must survive exactly.
inline std::uint32_t Bits(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

inline float FromBits(std::uint32_t bits) {
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// A double as hexadecimal float and raw bits, for failure messages.
inline std::string Describe(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%a (0x%016llx)", value,
                  static_cast<unsigned long long>(bits));
    return buffer;
}

} // namespace curvix::test
