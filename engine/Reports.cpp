#include "ExpressionEvaluator.h"
#include "ReportTexts.h"

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
    *m_errors << kDivideByZeroText;
    EndReport();
}

void ExpressionEvaluator::ReportUndeclared(const ExprString::Unit* units, int length) {
    *m_errors << kUndeclaredBefore;
    WriteUnits(units, length);
    *m_errors << kUndeclaredAfter;
    EndReport();
}

void ExpressionEvaluator::ReportNegativeSqrt() {
    *m_errors << kNegativeSqrtText;
    EndReport();
}

void ExpressionEvaluator::ReportUndefinedFunction(const ExprString::Unit* units, int length) {
    *m_errors << kUndefinedBefore;
    WriteUnits(units, length);
    *m_errors << kUndefinedAfter;
    EndReport();
}

void ExpressionEvaluator::ReportTooManyTokens() {
    *m_errors << kTooManyTokensText;
    EndReport();
}

} // namespace curvix
