#include "ExpressionEvaluator.h"

#include <cmath>
#include <string_view>

namespace curvix {

namespace {

// Angles are converted with the engine's own pi, 3.14159, not with the
// mathematical constant: degree results carry that value's small error.
constexpr double kDegreeFactor = 3.14159 / 180.0;
constexpr double kRadianFactor = 180.0 / 3.14159;

bool CallIs(const ExprString::Unit* units, int length, std::string_view name) {
    if (static_cast<std::size_t>(length) != name.size()) {
        return false;
    }
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (units[i] != static_cast<unsigned char>(name[i])) {
            return false;
        }
    }
    return true;
}

} // namespace

bool ExpressionEvaluator::TrigInDegrees() {
    static constexpr ExprString::Unit kRad[] = {'r', 'a', 'd'};
    return GetVariable(kRad, 3) == 0.0; // either sign of zero means degrees
}

double ExpressionEvaluator::CallFunction(const ExprString::Unit* units, int length,
                                         double argument) {
    if (CallIs(units, length, "sqrt(")) {
        if (argument < 0.0) {
            ReportNegativeSqrt();
            return 0.0;
        }
        return std::sqrt(argument);
    }
    const auto inverse = [this](double radians) {
        return TrigInDegrees() ? radians * kRadianFactor : radians;
    };
    if (CallIs(units, length, "asin(") || CallIs(units, length, "arcsin(")) {
        return inverse(std::asin(argument));
    }
    if (CallIs(units, length, "acos(") || CallIs(units, length, "arccos(")) {
        return inverse(std::acos(argument));
    }
    if (CallIs(units, length, "atan(") || CallIs(units, length, "arctan(")) {
        return inverse(std::atan(argument));
    }
    const double angle = TrigInDegrees() ? argument * kDegreeFactor : argument;
    if (CallIs(units, length, "sin(")) {
        return std::sin(angle);
    }
    if (CallIs(units, length, "cos(")) {
        return std::cos(angle);
    }
    if (CallIs(units, length, "tan(")) {
        return std::tan(angle);
    }
    if (CallIs(units, length, "cot(")) {
        return 1.0 / std::tan(angle);
    }
    ReportUndefinedFunction(units, length);
    return 0.0;
}

} // namespace curvix
