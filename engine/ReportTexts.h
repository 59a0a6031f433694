#pragma once

#include <string_view>

namespace curvix {

// The fixed pieces of the engine's report lines, shared by the evaluator
// and the compiled sampling form so that both write the same bytes.
inline constexpr std::string_view kDivideByZeroText = "Error: Divide by zero!";
inline constexpr std::string_view kUndeclaredBefore = "Error: Variable '";
inline constexpr std::string_view kUndeclaredAfter = "' is undeclared. It is used as 0.0 .";
inline constexpr std::string_view kNegativeSqrtText =
    "Error: Parameter of sqrt() can't be negative.";
inline constexpr std::string_view kUndefinedBefore = "Error: Undefined function '";
inline constexpr std::string_view kUndefinedAfter = ")'. Returns 0.0 .";
inline constexpr std::string_view kTooManyTokensText =
    "Error: Formula has more than 128 tokens. Returns 0.0 .";

} // namespace curvix
