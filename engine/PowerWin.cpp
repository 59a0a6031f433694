#include "Power.h"

#include <cmath>
#include <cstdint>

namespace curvix {

namespace {

// A value hi + lo with |lo| at most half an ulp of hi: about 106 bits.
struct DoubleDouble {
    double hi;
    double lo;
};

DoubleDouble QuickTwoSum(double a, double b) {
    const double sum = a + b;
    return {sum, b - (sum - a)};
}

// a * b exactly as a sum of two doubles (Dekker), for |a|, |b| below 2^996.
DoubleDouble TwoProduct(double a, double b) {
    constexpr double kSplitter = 134217729.0; // 2^27 + 1
    const double product = a * b;
    const double aBig = kSplitter * a;
    const double aHigh = aBig - (aBig - a);
    const double aLow = a - aHigh;
    const double bBig = kSplitter * b;
    const double bHigh = bBig - (bBig - b);
    const double bLow = b - bHigh;
    const double error = ((aHigh * bHigh - product) + aHigh * bLow + aLow * bHigh) + aLow * bLow;
    return {product, error};
}

DoubleDouble Multiply(DoubleDouble x, DoubleDouble y) {
    DoubleDouble product = TwoProduct(x.hi, y.hi);
    product.lo += x.hi * y.lo + x.lo * y.hi;
    return QuickTwoSum(product.hi, product.lo);
}

// Keeps x.hi in [0.5, 1): the binary exponent goes to exponent, so that
// no step overflows or underflows.
void Normalise(DoubleDouble& x, std::int64_t& exponent) {
    int shift = 0;
    x.hi = std::frexp(x.hi, &shift);
    x.lo = std::ldexp(x.lo, -shift);
    exponent += shift;
}

} // namespace

double Power(double base, double exponent) {
    constexpr double kLargestWhole = 9007199254740992.0; // 2^53
    if (!std::isfinite(base) || base == 0.0 || std::fabs(exponent) > kLargestWhole ||
        std::trunc(exponent) != exponent) {
        return std::pow(base, exponent);
    }
    // The C library there multiplies whole powers one rounding after the
    // other; squaring in double-double and rounding once gives glibc's.
    auto count = static_cast<std::uint64_t>(std::fabs(exponent));
    const bool negative = base < 0.0 && (count & 1U) != 0;
    DoubleDouble result{0.5, 0.0}; // 1 as 0.5 * 2^1
    std::int64_t resultExponent = 1;
    std::int64_t squareExponent = 0;
    DoubleDouble square{std::fabs(base), 0.0};
    Normalise(square, squareExponent);
    for (; count != 0; count >>= 1U) {
        if ((count & 1U) != 0) {
            result = Multiply(result, square);
            resultExponent += squareExponent;
            Normalise(result, resultExponent);
        }
        if (count > 1) {
            square = Multiply(square, square);
            squareExponent *= 2;
            Normalise(square, squareExponent);
        }
    }
    if (exponent < 0.0) {
        // 1 / (hi + lo) with one correction step.
        const double quotient = 1.0 / result.hi;
        const DoubleDouble back = TwoProduct(quotient, result.hi);
        const double remainder = ((1.0 - back.hi) - back.lo) - quotient * result.lo;
        result = QuickTwoSum(quotient, remainder / result.hi);
        resultExponent = -resultExponent;
        Normalise(result, resultExponent);
    }
    // Outside the normal range ldexp would round a second time.
    if (resultExponent < -1021 || resultExponent > 1024) {
        return std::pow(base, exponent);
    }
    const double magnitude = std::ldexp(result.hi + result.lo, static_cast<int>(resultExponent));
    return negative ? -magnitude : magnitude;
}

} // namespace curvix
