#pragma once

#include <cmath>
#include <cstddef>

namespace curvix {

// Number <-> text conversions with exactly the results of printf("%f") and
// atof() in the C locale, whatever locale the process runs under. The GUI
// toolkit switches the process locale to the user's, where "%f" would write
// a decimal comma and atof would stop at the point.

// Longest "%f" text of a double: 309 integer digits, sign, point, 6 decimals.
inline constexpr std::size_t kFixedSixMaxChars = 320;

// Writes the "%f" text of value (no terminator) and returns its length.
// out must hold kFixedSixMaxChars characters.
std::size_t FormatFixedSix(double value, char* out);

// atof() restricted to the decimal form: leading white space, an optional
// sign, digits with an optional point, an optional exponent. Hexadecimal,
// infinity and NaN spellings read as 0.0, as does text with no number.
double ReadDecimal(const char* text, std::size_t length);

// ReadDecimal(FormatFixedSix(value)) without building the text where that
// can be done exactly: the value rounded to six decimals, 0.0 for values
// that are not finite.
double RoundTripFixedSixExactly(double value);

// The same, inline for the common case. Below 2^32 the value in millionths
// lies under 2^52, where adding and taking away 2^52 rounds it to a whole
// number, ties to even. Only a product just halfway between two whole
// numbers could hide on which side the exact value lies; that case and all
// others take the exact way.
inline double RoundTripFixedSix(double value) {
    const double magnitude = std::fabs(value);
    if (magnitude < 0x1p32) {
        const double scaled = magnitude * 1e6;
        const double micros = (scaled + 0x1p52) - 0x1p52;
        const double fraction = scaled - micros; // exact
        if (fraction != 0.5 && fraction != -0.5) {
            return std::copysign(micros / 1e6, value);
        }
    }
    return RoundTripFixedSixExactly(value);
}

} // namespace curvix
