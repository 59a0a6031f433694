#include "ExpressionEvaluator.h"

#include <ostream>

namespace curvix {

// Each report is one line: its pieces, a line feed, then a flush, so that
// it shows at once next to whatever else the process writes.

void ExpressionEvaluator::WriteUnits(const ExprString::Unit* units, int length) {
    for (int i = 0; i < length; ++i) {
        m_errors->put(static_cast<char>(units[i] & 0xFF));
    }
}

void ExpressionEvaluator::EndReport() {
    m_errors->put('\n');
    m_errors->flush();
}

void ExpressionEvaluator::ReportDivideByZero() {
    *m_errors << "Error: Divide by zero!";
    EndReport();
}

void ExpressionEvaluator::ReportUndeclared(const ExprString::Unit* units, int length) {
    *m_errors << "Error: Variable '";
    WriteUnits(units, length);
    *m_errors << "' is undeclared. It is used as 0.0 .";
    EndReport();
}

void ExpressionEvaluator::ReportNegativeSqrt() {
    *m_errors << "Error: Parameter of sqrt() can't be negative.";
    EndReport();
}

void ExpressionEvaluator::ReportUndefinedFunction(const ExprString::Unit* units, int length) {
    *m_errors << "Error: Undefined function '";
    WriteUnits(units, length);
    *m_errors << ")'. Returns 0.0 .";
    EndReport();
}

void ExpressionEvaluator::ReportTooManyTokens() {
    *m_errors << "Error: Formula has more than 128 tokens. Returns 0.0 .";
    EndReport();
}

} // namespace curvix
