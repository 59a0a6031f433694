#pragma once

#include <string>
#include <string_view>

namespace curvix::reference {

// The two number conversions of the engine, done the slow and obvious way:
// the C library's "%f" and strtod, both forced into the C locale so the test
// process's own locale cannot change a digit.

// snprintf("%f", value) in the C locale, whatever its length.
std::string PrintFixed(double value);

// atof restricted to its decimal form: leading white space, an optional
// sign, digits with an optional point, an optional exponent. Only that
// prefix is handed to strtod, so "inf", "nan" and "0x..." never reach it.
// No number at the front reads as 0.0.
double ReadAtof(std::string_view text);

// strtod of the whole text in the C locale, hexadecimal and infinity
// spellings included; what ReadAtof must agree with on plain decimal text.
double StrtodC(const std::string& text);

} // namespace curvix::reference
