#include "ExpressionEvaluator.h"

#include "NumberText.h"

#include <iostream>

namespace curvix {

namespace {

bool IsLetter(ExprString::Unit unit) {
    return unit >= 'a' && unit <= 'z';
}
bool IsDigitOrPoint(ExprString::Unit unit) {
    return (unit >= '0' && unit <= '9') || unit == '.';
}

} // namespace

ExpressionEvaluator::ExpressionEvaluator() : m_errors(&std::cerr) {
    SetVariable("pi", 3.14159);
    SetVariable("rad", 0.0);
}

ExpressionEvaluator::~ExpressionEvaluator() {
    // Unlink the list front to back so that a long list of variables does
    // not destroy itself through one nested destructor call per node.
    std::unique_ptr<VariableNode> node = std::move(m_pFirstVariable);
    while (node) {
        node = std::move(node->next);
    }
}

double ExpressionEvaluator::Evaluate(ExprString& formula) {
    ResetTable();
    m_nTokens = kTableSize;
    Normalize(formula);
    if (!Tokenize(formula)) {
        ResetTable();
        ReportTooManyTokens();
        return 0.0;
    }
    PrepareTokens();
    return EvaluateRange(-1, -1);
}

void ExpressionEvaluator::ResetTable() {
    for (int i = 0; i < m_nUsed; ++i) {
        m_tokens[i] = Token{};
    }
    m_nUsed = 0;
}

void ExpressionEvaluator::Normalize(ExprString& formula) {
    // One pass with the effect of ToLower, RemoveAll(" "), RemoveAll("\t")
    // and ReplaceAll of "{" "[" by "(" and "}" "]" by ")": every one of
    // them acts on single units independently of their neighbours.
    ExprString::Unit* units = formula.MutableData();
    const int length = formula.Length();
    int kept = 0;
    for (int i = 0; i < length; ++i) {
        ExprString::Unit unit = units[i];
        if (unit == ' ' || unit == '\t') {
            continue;
        }
        if (unit >= 'A' && unit <= 'Z') {
            unit = static_cast<ExprString::Unit>(unit + 0x20);
        } else if (unit == '{' || unit == '[') {
            unit = '(';
        } else if (unit == '}' || unit == ']') {
            unit = ')';
        }
        units[kept++] = unit;
    }
    formula.Truncate(kept);
}

bool ExpressionEvaluator::Tokenize(const ExprString& formula) {
    enum class Previous { None, Letter, Digit };
    m_text = formula.Data();
    const int length = formula.Length();
    Previous previous = Previous::None;
    int slot = -1;
    for (int i = 0; i < length; ++i) {
        const ExprString::Unit unit = m_text[i];
        const Previous current = IsLetter(unit)         ? Previous::Letter
                                 : IsDigitOrPoint(unit) ? Previous::Digit
                                                        : Previous::None;
        if (current == Previous::None || current != previous) {
            if (++slot == kTableSize) {
                m_nUsed = kTableSize;
                return false;
            }
            Token& token = m_tokens[slot];
            token.text.start = i;
            token.kind = current == Previous::Letter  ? KIND_NAME
                         : current == Previous::Digit ? KIND_VALUE
                                                      : static_cast<int>(unit);
        }
        if (current != Previous::None) {
            ++m_tokens[slot].text.length;
        }
        previous = current;
    }
    m_nUsed = slot + 1;
    for (int i = 0; i < m_nUsed; ++i) {
        if (m_tokens[i].kind == KIND_VALUE) {
            m_tokens[i].value = ReadTypedNumber(m_tokens[i].text);
        }
    }
    return true;
}

double ExpressionEvaluator::ReadTypedNumber(TokenText text) const {
    // What atof reads from the front of the digits and points ("1.2.3" is 1.2).
    char digits[kFixedSixMaxChars];
    if (text.length > static_cast<int>(sizeof digits)) {
        return TextOf(text).ToDouble();
    }
    for (int j = 0; j < text.length; ++j) {
        digits[j] = static_cast<char>(m_text[text.start + j]);
    }
    return ReadDecimal(digits, static_cast<std::size_t>(text.length));
}

ExprString ExpressionEvaluator::TextOf(TokenText text) const {
    return ExprString::FromUnits(m_text + text.start, text.length);
}

} // namespace curvix
