#include "NumberText.h"

#include "CLocaleNumber.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace curvix {

namespace {

__extension__ typedef unsigned __int128 Uint128;

bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits with at most one point and no exponent, whose digits form an
// integer below 2^53 and with at most 22 decimals: the quotient of two exact
// doubles is then correctly rounded, the same value strtod gives. The engine
// reads every typed number and every "%f" text of a sample this way.
bool ReadShortDecimal(const char* p, const char* end, double& value) {
    static constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    std::uint64_t digits = 0;
    int digitCount = 0;
    int decimals = 0;
    bool afterPoint = false;
    for (; p != end; ++p) {
        if (IsDigit(*p)) {
            if (++digitCount > 18) {
                return false;
            }
            digits = digits * 10 + static_cast<std::uint64_t>(*p - '0');
            decimals += afterPoint ? 1 : 0;
        } else if (*p == '.' && !afterPoint) {
            afterPoint = true;
        } else {
            break;
        }
    }
    if ((p != end && (*p == 'e' || *p == 'E')) || digits > (std::uint64_t{1} << 53) ||
        decimals > 22) {
        return false;
    }
    value = static_cast<double>(digits) / kPowersOfTen[decimals];
    return true;
}

} // namespace

std::size_t FormatFixedSix(double value, char* out) {
    const auto result =
        std::to_chars(out, out + kFixedSixMaxChars, value, std::chars_format::fixed, 6);
    return static_cast<std::size_t>(result.ptr - out);
}

double ReadDecimal(const char* text, std::size_t length) {
    const char* p = text;
    const char* const end = text + length;
    while (p != end && IsCSpace(*p)) {
        ++p;
    }
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    // Only the decimal form counts: a digit, or a point followed by a digit.
    const bool startsNumber =
        p != end && (IsDigit(*p) || (*p == '.' && p + 1 != end && IsDigit(p[1])));
    if (!startsNumber) {
        return 0.0;
    }
    double value = 0.0;
    if (ReadShortDecimal(p, end, value)) {
        return negative ? -value : value;
    }
    const auto result = std::from_chars(p, end, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // The rare texts from_chars declines (results that overflow or
        // underflow) come out exactly as atof's.
        value = StrtodCLocale(std::string(p, end).c_str());
    } else if (result.ec != std::errc()) {
        return 0.0;
    }
    return negative ? -value : value;
}

double RoundTripFixedSixExactly(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const int exponentField = static_cast<int>((bits >> 52) & 0x7FF);
    if (exponentField == 0x7FF) {
        return 0.0; // "inf" and "nan" are not decimal numbers
    }
    if (exponentField >= 1023 + 34 || std::trunc(value) == value) {
        // Whole numbers print exactly. From 2^34 up, a double's neighbours
        // lie more than 2^-20 away, farther than the 0.5e-6 that rounding to
        // six decimals can move it, so the text reads back as the value.
        return value;
    }
    // |value| = mantissa * 2^-shift exactly, with mantissa < 2^53 and shift > 0.
    const std::uint64_t fractionBits = bits & ((std::uint64_t{1} << 52) - 1);
    const std::uint64_t mantissa =
        exponentField == 0 ? fractionBits : fractionBits | (std::uint64_t{1} << 52);
    const int shift = exponentField == 0 ? 1074 : 1075 - exponentField;
    const Uint128 scaled = static_cast<Uint128>(mantissa) * 1000000U; // < 2^73
    Uint128 micros = 0;
    if (shift < 100) {
        micros = scaled >> shift;
        const Uint128 remainder = scaled - (micros << shift);
        const Uint128 half = static_cast<Uint128>(1) << (shift - 1);
        // "%f" rounds the exact binary value to nearest, ties to even.
        if (remainder > half || (remainder == half && (micros & 1U) != 0)) {
            ++micros;
        }
    }
    if (micros >= (static_cast<Uint128>(1) << 53)) {
        char text[kFixedSixMaxChars];
        const std::size_t length = FormatFixedSix(value, text);
        return ReadDecimal(text, length);
    }
    // Both operands are exact doubles, so the correctly rounded quotient is
    // what strtod makes of the six-decimal text.
    const double rounded = static_cast<double>(static_cast<std::uint64_t>(micros)) / 1e6;
    return std::copysign(rounded, value);
}

} // namespace curvix
