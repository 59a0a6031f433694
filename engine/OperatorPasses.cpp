#include "ExpressionEvaluator.h"
#include "NumberText.h"
#include "Power.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace curvix {

namespace {

// Precedence is this order: each kind is applied everywhere in the range,
// left to right, before the next kind is looked for.
constexpr int kPassOrder[] = {'(', '|', KIND_FUNCTION, '^', '*', '/', ':', '+', '-', '='};

} // namespace

void ExpressionEvaluator::WriteValue(int slot, double value) {
    m_tokens[slot].kind = KIND_VALUE;
    m_tokens[slot].value = RoundTripFixedSix(value);
}

void ExpressionEvaluator::PrepareTokens() {
    // Slot 127 is only ever seen as a right neighbour.
    const int end = std::min(m_nUsed, m_nTokens - 1);
    for (int i = 0; i < end; ++i) {
        Token& token = m_tokens[i];
        Token& next = m_tokens[i + 1];
        if (token.kind == '-' && next.kind == KIND_VALUE) {
            WriteValue(i + 1, -next.value);
            token.kind = '+';
        }
        if (token.kind == KIND_NAME && next.kind == '(') {
            token.kind = KIND_FUNCTION;
            ++token.text.length; // the "(" follows the name in the formula
            next.kind = KIND_EMPTY;
        }
        if (token.kind == KIND_NAME && next.kind != '=') {
            const double variable = GetVariable(m_text + token.text.start, token.text.length);
            double value = variable;
            if (i > 0 && m_tokens[i - 1].kind == KIND_VALUE) {
                value = m_tokens[i - 1].value * variable;
                m_tokens[i - 1].kind = KIND_EMPTY;
            } else if (next.kind == KIND_VALUE) {
                value = next.value * variable;
                next.kind = KIND_EMPTY;
            }
            WriteValue(i, value);
        }
    }
    m_passesPresent = 0;
    for (int i = 0; i < m_nUsed; ++i) {
        for (unsigned pass = 0; pass < std::size(kPassOrder); ++pass) {
            if (m_tokens[i].kind == kPassOrder[pass]) {
                m_passesPresent |= 1U << pass;
            }
        }
    }
}

double ExpressionEvaluator::EvaluateRange(int first, int last) {
    for (unsigned pass = 0; pass < std::size(kPassOrder); ++pass) {
        if ((m_passesPresent & (1U << pass)) == 0) {
            continue;
        }
        const int kind = kPassOrder[pass];
        // Applying an operator never creates another one, so the search for
        // the next occurrence can go on after the last one found.
        int from = first;
        for (int d = FindToken(kind, from, last); d != -1; d = FindToken(kind, from, last)) {
            double value = 0.0;
            int closing = -1;
            if (kind == '(' || kind == KIND_FUNCTION) {
                closing = FindClosing(')', d + 1, last);
                value = EvaluateRange(d + 1, closing);
                if (kind == KIND_FUNCTION) {
                    const TokenText call = m_tokens[d].text;
                    value = CallFunction(m_text + call.start, call.length, value);
                }
            } else if (kind == '|') {
                closing = FindClosing('|', d + 1, last);
                value = std::fabs(EvaluateRange(d + 1, closing));
            } else {
                value = ApplyOperator(d);
            }
            WriteValue(d, value);
            if (closing != -1) {
                m_tokens[closing].kind = KIND_EMPTY;
            }
            from = d + 1;
        }
    }
    return TakeOperand(first == -1 ? 0 : first, true);
}

double ExpressionEvaluator::ApplyOperator(int slot) {
    const int kind = m_tokens[slot].kind;
    if (kind == '/' || kind == ':') {
        const double right = TakeOperand(slot + 1, true);
        if (right == 0.0) {
            ReportDivideByZero();
            TakeOperand(slot - 1, false);
            return 0.0;
        }
        return TakeOperand(slot - 1, false) / right;
    }
    if (kind == '=') {
        const double value = TakeOperand(slot, true);
        SetVariable(TakeNameLeftOf(slot), value);
        return value;
    }
    const double left = TakeOperand(slot - 1, false);
    const double right = TakeOperand(slot + 1, true);
    switch (kind) {
    case '^':
        return Power(left, right);
    case '*':
        return left * right;
    case '+':
        return left + right;
    case '-':
        return left - right;
    default:
        return 0.0;
    }
}

int ExpressionEvaluator::FindToken(int kind, int first, int last) const {
    const int begin = first == -1 ? 0 : first;
    const int end = std::min(last == -1 ? m_nTokens : last, m_nUsed);
    for (int i = begin; i < end; ++i) {
        if (m_tokens[i].kind == kind) {
            return i;
        }
    }
    return -1;
}

int ExpressionEvaluator::FindClosing(int kind, int first, int last) const {
    const int opener = kind == int{')'} ? int{'('} : int{'|'};
    const int begin = first == -1 ? 0 : first;
    const int end = std::min(last == -1 ? m_nTokens : last, m_nUsed);
    int depth = 0;
    for (int i = begin; i < end; ++i) {
        if (m_tokens[i].kind == kind) {
            if (depth == 0) {
                return i;
            }
            --depth;
        } else if (m_tokens[i].kind == opener) {
            ++depth;
        }
    }
    return -1;
}

double ExpressionEvaluator::TakeOperand(int slot, bool rightward) {
    const int stopOpen = rightward ? int{')'} : int{'('};
    const int step = rightward ? 1 : -1;
    int i = rightward ? slot : std::min(slot, m_nUsed - 1);
    for (; i >= 0 && i < m_nUsed; i += step) {
        Token& token = m_tokens[i];
        if (token.kind == KIND_VALUE) {
            token.kind = KIND_EMPTY;
            return token.value;
        }
        if (token.kind == stopOpen || token.kind == '|') {
            return 0.0;
        }
    }
    return 0.0;
}

ExprString ExpressionEvaluator::TakeNameLeftOf(int slot) {
    for (int i = std::min(slot, m_nUsed - 1); i >= 0; --i) {
        if (m_tokens[i].kind == KIND_NAME) {
            m_tokens[i].kind = KIND_EMPTY;
            return TextOf(m_tokens[i].text);
        }
    }
    return ExprString();
}

} // namespace curvix
