#pragma once

#include "ExprString.h"
#include "Token.h"
#include "VariableNode.h"

#include <array>
#include <iosfwd>
#include <memory>

namespace curvix {

// Turns one formula text into one number: tokenising, a left-to-right
// pre-pass (sign folding, function marking, variable values with implicit
// products) and ten operator passes in a fixed order. Every intermediate
// value is rounded as its six-decimal text would read back. Problems never
// stop an evaluation: the failing value is 0.0 and a one-line report goes
// to the error stream (standard error unless another stream is given).
class ExpressionEvaluator {
public:
    static constexpr int kTableSize = 128;

    ExpressionEvaluator();
    ExpressionEvaluator(const ExpressionEvaluator&) = delete;
    ExpressionEvaluator& operator=(const ExpressionEvaluator&) = delete;
    virtual ~ExpressionEvaluator();

    // Normalises formula in place (lower case, no blanks or tabs, braces and
    // square brackets as parentheses) and returns its value.
    double Evaluate(ExprString& formula);

    void SetErrorStream(std::ostream& stream) { m_errors = &stream; }
    std::ostream& GetErrorStream() const { return *m_errors; }
    // The variable list, head node first, for inspection.
    const VariableNode* FirstVariable() const { return m_pFirstVariable.get(); }

private:
    // Replays evaluations of one formula at many x without its text.
    friend class CompiledFormula;

    // Tokenising
    static void Normalize(ExprString& formula);
    bool Tokenize(const ExprString& formula);
    void ResetTable();

    // Pre-pass and operator passes
    void PrepareTokens();
    double EvaluateRange(int first, int last);
    double ApplyOperator(int slot);
    int FindToken(int kind, int first, int last) const;
    int FindClosing(int kind, int first, int last) const;
    double TakeOperand(int slot, bool rightward);
    ExprString TakeNameLeftOf(int slot);
    void WriteValue(int slot, double value);
    double ReadTypedNumber(TokenText text) const;
    ExprString TextOf(TokenText text) const;

    // Variables and built-ins
    void SetVariable(ExprString name, double value);
    double GetVariable(const ExprString::Unit* units, int length);
    VariableNode* FindVariable(const ExprString& name);
    // Reads a variable by the units of its name; reports an undeclared one.
    VariableNode* FindVariable(const ExprString::Unit* units, int length);
    double CallFunction(const ExprString::Unit* units, int length, double argument);
    bool TrigInDegrees();

    // Reports
    void ReportDivideByZero();
    void ReportUndeclared(const ExprString::Unit* units, int length);
    void ReportNegativeSqrt();
    void ReportUndefinedFunction(const ExprString::Unit* units, int length);
    void ReportTooManyTokens();
    void WriteUnits(const ExprString::Unit* units, int length);
    void EndReport();

    std::array<Token, kTableSize> m_tokens{};
    std::unique_ptr<VariableNode> m_pFirstVariable;
    int m_nTokens = 0;
    // Slots from m_nUsed on are empty: searches stop there, since an empty
    // slot can neither match nor stop them.
    int m_nUsed = 0;
    // Which operator passes can find anything: applying operators never
    // creates one, so a kind absent after the pre-pass stays absent.
    unsigned m_passesPresent = 0;
    const ExprString::Unit* m_text = nullptr; // the formula being evaluated
    std::ostream* m_errors;
};

} // namespace curvix
