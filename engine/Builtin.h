#pragma once

#include "ExprString.h"

#include <cstdint>

namespace curvix {

// The functions a call text can name, in the order the call text is
// compared with them.
enum class Builtin : std::uint8_t { Sqrt, Asin, Acos, Atan, Sin, Cos, Tan, Cot, Undefined };

// Which built-in a call text ("sin(", "arcsin(", ...) names.
Builtin FindBuiltin(const ExprString::Unit* units, int length);

// The value of a defined built-in; degrees is whether "rad" is 0 (sqrt
// ignores it). A negative sqrt argument is the caller's to report.
double ApplyBuiltin(Builtin function, double argument, bool degrees);

} // namespace curvix
