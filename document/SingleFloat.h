#pragma once

#include <cfloat>
#include <cmath>

namespace curvix {

// double -> float with IEEE round-to-nearest-even, spelt out for finite
// values beyond the float range, where a plain conversion is undefined
// behaviour: from half an ulp above FLT_MAX on (the tie goes to the even
// neighbour, 2^128) the result is infinity, below that FLT_MAX. NaN and
// infinities convert as they are.
inline float ToSingle(double value) {
    constexpr double kOverflowThreshold = 0x1.ffffffp127; // FLT_MAX + half an ulp
    if (std::isfinite(value) && std::fabs(value) > FLT_MAX) {
        const float magnitude = std::fabs(value) >= kOverflowThreshold ? HUGE_VALF : FLT_MAX;
        return std::signbit(value) ? -magnitude : magnitude;
    }
    return static_cast<float>(value);
}

} // namespace curvix
