#pragma once

#include <cstdint>

namespace curvix {

// Token kinds. Operator and punctuation tokens carry the code unit of their
// character as their kind; letters always form names, so no character token
// can collide with the three codes below.
inline constexpr std::int32_t KIND_EMPTY = 0;
inline constexpr std::int32_t KIND_FUNCTION = 102; // 'f'
inline constexpr std::int32_t KIND_NAME = 110;     // 'n'
inline constexpr std::int32_t KIND_VALUE = 111;    // 'o'

// Where a token's characters stand in the normalised formula. Names and
// function calls are read straight from the formula instead of being copied
// into a string of their own for every token.
struct TokenText {
    std::int32_t start = 0;
    std::int32_t length = 0;
};

struct Token {
    TokenText text; // names and function calls ("sin" then "sin(")
    std::int32_t kind = KIND_EMPTY;
    double value = 0.0; // a value slot's number: what atof reads from its text
};

} // namespace curvix
