#include "FormulaMode.h"

#include "ExprString.h"
#include "ExpressionEvaluator.h"

#include <charconv>

namespace curvix {

void WriteShortest(std::ostream& out, double value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.write(text, result.ptr - text);
}

void EvaluateLine(ExpressionEvaluator& engine, const std::string& formula, std::ostream& out) {
    ExprString text(formula.data(), static_cast<int>(formula.size()));
    WriteShortest(out, engine.Evaluate(text));
    out << '\n';
    out.flush();
}

void EvaluateLines(ExpressionEvaluator& engine, std::istream& in, std::ostream& out) {
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        EvaluateLine(engine, line, out);
    }
}

} // namespace curvix
