#include "Builtin.h"
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

Builtin FindBuiltin(const ExprString::Unit* units, int length) {
    struct Entry {
        std::string_view call;
        Builtin function;
    };
    static constexpr Entry kEntries[] = {
        {"sqrt(", Builtin::Sqrt},   {"asin(", Builtin::Asin},   {"arcsin(", Builtin::Asin},
        {"acos(", Builtin::Acos},   {"arccos(", Builtin::Acos}, {"atan(", Builtin::Atan},
        {"arctan(", Builtin::Atan}, {"sin(", Builtin::Sin},     {"cos(", Builtin::Cos},
        {"tan(", Builtin::Tan},     {"cot(", Builtin::Cot}};
    for (const Entry& entry : kEntries) {
        if (CallIs(units, length, entry.call)) {
            return entry.function;
        }
    }
    return Builtin::Undefined;
}

double ApplyBuiltin(Builtin function, double argument, bool degrees) {
    const auto inverse = [degrees](double radians) {
        return degrees ? radians * kRadianFactor : radians;
    };
    const double angle = degrees ? argument * kDegreeFactor : argument;
    switch (function) {
    case Builtin::Sqrt:
        return argument < 0.0 ? 0.0 : std::sqrt(argument);
    case Builtin::Asin:
        return inverse(std::asin(argument));
    case Builtin::Acos:
        return inverse(std::acos(argument));
    case Builtin::Atan:
        return inverse(std::atan(argument));
    case Builtin::Sin:
        return std::sin(angle);
    case Builtin::Cos:
        return std::cos(angle);
    case Builtin::Tan:
        return std::tan(angle);
    case Builtin::Cot:
        return 1.0 / std::tan(angle);
    case Builtin::Undefined:
        break;
    }
    return 0.0;
}

bool ExpressionEvaluator::TrigInDegrees() {
    static constexpr ExprString::Unit kRad[] = {'r', 'a', 'd'};
    return GetVariable(kRad, 3) == 0.0; // either sign of zero means degrees
}

double ExpressionEvaluator::CallFunction(const ExprString::Unit* units, int length,
                                         double argument) {
    const Builtin function = FindBuiltin(units, length);
    if (function == Builtin::Sqrt) {
        if (argument < 0.0) {
            ReportNegativeSqrt();
            return 0.0;
        }
        return std::sqrt(argument);
    }
    // "rad" is read for every call but sqrt, also before an undefined
    // function is reported.
    const bool degrees = TrigInDegrees();
    if (function == Builtin::Undefined) {
        ReportUndefinedFunction(units, length);
        return 0.0;
    }
    return ApplyBuiltin(function, argument, degrees);
}

} // namespace curvix
