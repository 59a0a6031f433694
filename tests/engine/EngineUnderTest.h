#pragma once

#include "ExprString.h"
#include "ExpressionEvaluator.h"
#include "reference/ReferenceEngine.h"
#include "reference/ReferenceText.h"

#include <sstream>
#include <string>

namespace curvix::testing {

// What one evaluation leaves behind: the value, the report lines and the
// normalised formula as 16-bit units.
struct Outcome {
    double result = 0.0;
    std::string reports;
    std::u16string normalised;
};

// The production engine behind the same interface as the reference.
class ProductionRunner {
public:
    ProductionRunner() { m_engine.SetErrorStream(m_errors); }

    Outcome Run(const std::string& formula) {
        ExprString text(formula.c_str(), static_cast<int>(formula.size()));
        Outcome outcome;
        outcome.result = m_engine.Evaluate(text);
        for (int i = 0; i < text.Length(); ++i) {
            outcome.normalised.push_back(static_cast<char16_t>(text.At(i)));
        }
        outcome.reports = m_errors.str();
        m_errors.str(std::string());
        return outcome;
    }
    const ExpressionEvaluator& Engine() const { return m_engine; }

private:
    std::ostringstream m_errors;
    ExpressionEvaluator m_engine;
};

class ReferenceRunner {
public:
    ReferenceRunner() : m_engine(m_errors) {}

    Outcome Run(const std::string& formula) {
        Outcome outcome;
        outcome.normalised = reference::Widen(formula);
        outcome.result = m_engine.Evaluate(outcome.normalised);
        outcome.reports = m_errors.str();
        m_errors.str(std::string());
        return outcome;
    }
    const reference::ReferenceEngine& Engine() const { return m_engine; }
    reference::ReferenceEngine& Engine() { return m_engine; }

private:
    std::ostringstream m_errors;
    reference::ReferenceEngine m_engine;
};

} // namespace curvix::testing
