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

// (x.hi + x.lo) * 2^exponent, with x.hi in [0.5, 1), below the smallest
// normal double: rounded once to a multiple of 2^-1074, ties to even. ldexp
// would round x.hi + x.lo first and then again, and the C library's pow
// there is many ulps off.
double RoundToSubnormal(DoubleDouble x, std::int64_t exponent) {
    const std::int64_t shift = exponent + 1074;
    if (shift < -1) {
        return 0.0; // below half the smallest subnormal
    }
    // In units of 2^-1074; scaling by a power of two is exact here.
    const double high = std::ldexp(x.hi, static_cast<int>(shift));
    const double low = std::ldexp(x.lo, static_cast<int>(shift));
    const double whole = std::floor(high);
    // high's fraction less one half is exact and a multiple of high's ulp,
    // which low cannot outweigh: only an exact half leaves the sign to low.
    const double pastHalf = (high - whole) - 0.5;
    const double sign = pastHalf != 0.0 ? pastHalf : low;
    const bool up = sign > 0.0 || (sign == 0.0 && std::fmod(whole, 2.0) != 0.0);
    return std::ldexp(up ? whole + 1.0 : whole, -1074);
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
    if (resultExponent > 1024) {
        return std::pow(base, exponent); // beyond the largest double
    }
    const double magnitude = resultExponent < -1021 ? RoundToSubnormal(result, resultExponent)
                                                    : std::ldexp(result.hi + result.lo,
                                                                 static_cast<int>(resultExponent));
    return negative ? -magnitude : magnitude;
}

} // namespace curvix
