#include "ExactPower.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace curvix::reference {
namespace {

// An unsigned integer as 32-bit limbs, least significant first, no
// leading zero limbs.
using Natural = std::vector<std::uint32_t>;

void Trim(Natural& n) {
    while (!n.empty() && n.back() == 0) {
        n.pop_back();
    }
}

Natural FromUint64(std::uint64_t value) {
    Natural n{static_cast<std::uint32_t>(value), static_cast<std::uint32_t>(value >> 32U)};
    Trim(n);
    return n;
}

std::int64_t BitLength(const Natural& n) {
    if (n.empty()) {
        return 0;
    }
    std::int64_t bits = static_cast<std::int64_t>(n.size() - 1) * 32;
    for (std::uint32_t top = n.back(); top != 0; top >>= 1U) {
        ++bits;
    }
    return bits;
}

bool Bit(const Natural& n, std::int64_t position) {
    const auto limb = static_cast<std::size_t>(position / 32);
    return position >= 0 && limb < n.size() && ((n[limb] >> (position % 32)) & 1U) != 0;
}

// Whether any bit below position is set.
bool AnyBitBelow(const Natural& n, std::int64_t position) {
    for (std::size_t i = 0; i < n.size(); ++i) {
        const std::int64_t first = static_cast<std::int64_t>(i) * 32;
        if (first >= position) {
            return false;
        }
        std::uint32_t limb = n[i];
        if (position - first < 32) {
            limb &= (1U << (position - first)) - 1U;
        }
        if (limb != 0) {
            return true;
        }
    }
    return false;
}

Natural Multiply(const Natural& a, const Natural& b) {
    Natural product(a.size() + b.size(), 0);
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::uint64_t carry = 0;
        for (std::size_t j = 0; j < b.size(); ++j) {
            const std::uint64_t sum =
                static_cast<std::uint64_t>(a[i]) * b[j] + product[i + j] + carry;
            product[i + j] = static_cast<std::uint32_t>(sum);
            carry = sum >> 32U;
        }
        product[i + b.size()] = static_cast<std::uint32_t>(carry);
    }
    Trim(product);
    return product;
}

Natural Add(const Natural& a, const Natural& b) {
    Natural sum(std::max(a.size(), b.size()) + 1, 0);
    std::uint64_t carry = 0;
    for (std::size_t i = 0; i < sum.size(); ++i) {
        carry += (i < a.size() ? a[i] : 0U);
        carry += (i < b.size() ? b[i] : 0U);
        sum[i] = static_cast<std::uint32_t>(carry);
        carry >>= 32U;
    }
    Trim(sum);
    return sum;
}

// a - b for a >= b.
void SubtractFrom(Natural& a, const Natural& b) {
    std::int64_t borrow = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::int64_t difference = static_cast<std::int64_t>(a[i]) - borrow -
                                  (i < b.size() ? static_cast<std::int64_t>(b[i]) : 0);
        borrow = difference < 0 ? 1 : 0;
        a[i] = static_cast<std::uint32_t>(difference + borrow * (std::int64_t{1} << 32));
    }
    Trim(a);
}

int Compare(const Natural& a, const Natural& b) {
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    for (std::size_t i = a.size(); i-- > 0;) {
        if (a[i] != b[i]) {
            return a[i] < b[i] ? -1 : 1;
        }
    }
    return 0;
}

Natural ShiftLeft(const Natural& n, std::int64_t count) {
    if (n.empty()) {
        return n;
    }
    const auto limbs = static_cast<std::size_t>(count / 32);
    const auto bits = static_cast<unsigned>(count % 32);
    Natural shifted(n.size() + limbs + 1, 0);
    for (std::size_t i = 0; i < n.size(); ++i) {
        const std::uint64_t wide = static_cast<std::uint64_t>(n[i]) << bits;
        shifted[i + limbs] |= static_cast<std::uint32_t>(wide);
        shifted[i + limbs + 1] |= static_cast<std::uint32_t>(wide >> 32U);
    }
    Trim(shifted);
    return shifted;
}

// n with its count lowest bits dropped (rounded towards zero).
Natural ShiftRight(const Natural& n, std::int64_t count) {
    const auto limbs = static_cast<std::size_t>(count / 32);
    const auto bits = static_cast<unsigned>(count % 32);
    if (limbs >= n.size()) {
        return {};
    }
    Natural shifted(n.size() - limbs, 0);
    for (std::size_t i = 0; i < shifted.size(); ++i) {
        std::uint64_t wide = n[i + limbs];
        if (i + limbs + 1 < n.size()) {
            wide |= static_cast<std::uint64_t>(n[i + limbs + 1]) << 32U;
        }
        shifted[i] = static_cast<std::uint32_t>(wide >> bits);
    }
    Trim(shifted);
    return shifted;
}

// 2^power / divisor, rounded down, and whether it left a remainder.
Natural PowerOfTwoOver(std::int64_t power, const Natural& divisor, bool& inexact) {
    Natural quotient;
    Natural remainder{1};
    std::vector<bool> bits;
    for (std::int64_t i = power; i >= 0; --i) {
        const bool fits = Compare(remainder, divisor) >= 0;
        if (fits) {
            SubtractFrom(remainder, divisor);
        }
        bits.push_back(fits);
        if (i > 0) {
            remainder = ShiftLeft(remainder, 1);
        }
    }
    quotient.assign(bits.size() / 32 + 1, 0);
    for (std::size_t i = 0; i < bits.size(); ++i) {
        if (bits[bits.size() - 1 - i]) {
            quotient[i / 32] |= 1U << (i % 32);
        }
    }
    Trim(quotient);
    inexact = !remainder.empty();
    return quotient;
}

// A positive value digits * 2^scale, digits at most a working width long.
struct Wide {
    Natural digits;
    std::int64_t scale;
};

// (digits + f) * 2^scale rounded to the nearest double, ties to even, for
// some f in (0, 1) when sticky and f = 0 otherwise. False where the value's
// precision does not reach below the rounding position.
bool RoundToDouble(const Natural& digits, std::int64_t scale, bool sticky, double& result,
                   bool& exact) {
    constexpr std::int64_t kLowestBit = -1074; // the smallest subnormal
    const std::int64_t top = BitLength(digits) - 1 + scale;
    const std::int64_t lowestKept = std::max(top - 52, kLowestBit);
    const std::int64_t dropped = lowestKept - scale;
    if (dropped < 1) {
        if (sticky) {
            return false;
        }
        // Exact: at most 53 bits, and ldexp overflows exactly to infinity.
        double value = 0;
        for (std::size_t i = digits.size(); i-- > 0;) {
            value = value * 4294967296.0 + digits[i];
        }
        result = std::ldexp(value, static_cast<int>(scale));
        exact = std::isfinite(result);
        return true;
    }
    const Natural kept = ShiftRight(digits, dropped);
    std::uint64_t mantissa = 0;
    for (std::size_t i = kept.size(); i-- > 0;) {
        mantissa = (mantissa << 32U) | kept[i];
    }
    const bool half = Bit(digits, dropped - 1);
    const bool belowHalf = sticky || AnyBitBelow(digits, dropped - 1);
    exact = !half && !belowHalf;
    if (half && (belowHalf || (mantissa & 1U) != 0)) {
        ++mantissa; // at most 2^53, still exact as a double
    }
    if (lowestKept > 1024 - 53 ||
        (lowestKept == 1024 - 53 && mantissa >= (std::uint64_t{1} << 53U))) {
        result = HUGE_VAL;
        exact = false;
        return true;
    }
    result = std::ldexp(static_cast<double>(mantissa), static_cast<int>(lowestKept));
    return true;
}

// |base|^count, each product cut down to width bits. The true power lies
// in [digits, digits + error] * 2^scale; error is zero when nothing was cut.
void RaiseTruncated(double base, std::uint64_t count, std::int64_t width, Wide& power,
                    Natural& error) {
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(base), &exponent);
    Wide square{FromUint64(static_cast<std::uint64_t>(std::ldexp(fraction, 53))), exponent - 53};
    power = Wide{Natural{1}, 0};
    // Each cut leaves a product below its true value by less than
    // 2^-(width-1) of it. The power's bound grows by the square's cuts
    // squared, so after all steps the power is below its true value by a
    // factor of at most (1 + 2^-(width-1))^cuts, cuts <= count < 2^63,
    // which is below 1 + cuts * 2^-(width-2) for width >= 66.
    std::uint64_t squareCuts = 0;
    std::uint64_t powerCuts = 0;
    const auto cut = [width](Wide& value) {
        const std::int64_t excess = BitLength(value.digits) - width;
        if (excess <= 0) {
            return false;
        }
        const bool lost = AnyBitBelow(value.digits, excess);
        value.digits = ShiftRight(value.digits, excess);
        value.scale += excess;
        return lost;
    };
    for (; count != 0; count >>= 1U) {
        if ((count & 1U) != 0) {
            power = Wide{Multiply(power.digits, square.digits), power.scale + square.scale};
            powerCuts += squareCuts + (cut(power) ? 1 : 0);
        }
        if (count > 1) {
            square = Wide{Multiply(square.digits, square.digits), square.scale * 2};
            squareCuts = 2 * squareCuts + (cut(square) ? 1 : 0);
        }
    }
    // digits < 2^width, so digits * cuts * 2^-(width-2) < 4 * cuts units.
    error = powerCuts == 0 ? Natural{} : Add(ShiftLeft(FromUint64(powerCuts), 2), Natural{1});
}

bool RoundAtWidth(double base, std::uint64_t count, bool reciprocal, std::int64_t width,
                  WholePower& result) {
    Wide power;
    Natural error;
    RaiseTruncated(base, count, width, power, error);
    Natural low = power.digits;
    Natural high = Add(power.digits, error);
    std::int64_t scale = power.scale;
    bool sticky = false;
    if (reciprocal) {
        // 1 / power as 2^shift / digits * 2^(-shift - scale), shift giving
        // a quotient of width + 2 bits or more.
        const std::int64_t shift = BitLength(power.digits) + width + 2;
        high = PowerOfTwoOver(shift, power.digits, sticky);
        low = error.empty() ? high : PowerOfTwoOver(shift, Add(power.digits, error), sticky);
        if (!error.empty()) {
            high = Add(high, Natural{1});
            sticky = false;
        }
        scale = -shift - power.scale;
    }
    if (error.empty()) {
        return RoundToDouble(low, scale, sticky, result.value, result.exact);
    }
    // The true power lies in [low, high] * 2^scale: decided where both ends
    // round alike.
    double highRounded = 0;
    bool unused = false;
    result.exact = false;
    return RoundToDouble(low, scale, false, result.value, unused) &&
           RoundToDouble(high, scale, false, highRounded, unused) && result.value == highRounded;
}

} // namespace

WholePower ExactWholePower(double base, double exponent) {
    WholePower result{false, false, 1.0};
    if (!std::isfinite(base) || base == 0.0 || !std::isfinite(exponent) ||
        std::trunc(exponent) != exponent) {
        return result;
    }
    const double magnitude = std::fabs(base);
    // An odd exponent is at most 2^53; beyond that all are even.
    const bool negative = base < 0.0 && std::fmod(exponent, 2.0) != 0.0;
    if (magnitude == 1.0 || exponent == 0.0) {
        result = WholePower{true, true, 1.0};
    } else {
        // Far outside the range, log2 is plenty to tell 0 from infinity;
        // inside it every power on the way is within 2^+-1200, and the
        // exponent below 2^63 (|log2 |base|| > 2^-53 for |base| != 1).
        const double logarithm = exponent * std::log2(magnitude);
        if (logarithm > 1200 || logarithm < -1200) {
            result = WholePower{true, false, logarithm > 0 ? HUGE_VAL : 0.0};
        } else {
            const auto count = static_cast<std::uint64_t>(std::fabs(exponent));
            for (std::int64_t width = 128; width <= 8192 && !result.decided; width *= 2) {
                result.decided = RoundAtWidth(magnitude, count, exponent < 0, width, result);
            }
        }
    }
    if (negative) {
        result.value = -result.value;
    }
    return result;
}

double ReferencePower(double base, double exponent) {
    const WholePower whole = ExactWholePower(base, exponent);
    if (!whole.decided && std::isfinite(base) && base != 0.0 && std::isfinite(exponent) &&
        std::trunc(exponent) == exponent) {
        std::fprintf(stderr, "reference: the rounding of %a^%a is left open\n", base, exponent);
    }
    // Exact whole powers on every system; Windows' engine rounds the others
    // once too, while on Linux the engine's power is glibc's by definition.
#ifdef _WIN32
    const bool roundedOnce = whole.decided;
#else
    const bool roundedOnce = whole.decided && whole.exact;
#endif
    return roundedOnce ? whole.value : std::pow(base, exponent);
}

} // namespace curvix::reference
