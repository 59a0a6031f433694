#include "NumberText.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <locale.h>
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

// strtod in the C locale, for the rare texts from_chars declines (results
// that overflow or underflow), so that they come out exactly as atof's.
double StrtodCLocale(const char* begin, const char* end) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    const std::string copy(begin, end);
    return strtod_l(copy.c_str(), nullptr, cLocale);
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
    const auto result = std::from_chars(p, end, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        value = StrtodCLocale(p, end);
    } else if (result.ec != std::errc()) {
        return 0.0;
    }
    return negative ? -value : value;
}

double RoundTripFixedSix(double value) {
    if (!std::isfinite(value)) {
        return 0.0; // "inf" and "nan" are not decimal numbers
    }
    const double magnitude = std::fabs(value);
    if (magnitude == 0.0 || magnitude >= 0x1p52) {
        return value; // a whole number: printed and read back exactly (sign of zero kept)
    }
    // magnitude = mantissa * 2^exponent exactly, with mantissa < 2^53.
    int binaryExponent = 0;
    const double fraction = std::frexp(magnitude, &binaryExponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    const int shift = 53 - binaryExponent;                            // > 0, since magnitude < 2^53
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
        return ReadDecimal(text, FormatFixedSix(value, text));
    }
    // Both operands are exact doubles, so the correctly rounded quotient is
    // what strtod makes of the six-decimal text.
    const double rounded = static_cast<double>(static_cast<std::uint64_t>(micros)) / 1e6;
    return std::copysign(rounded, value);
}

} // namespace curvix
