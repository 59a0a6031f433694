#include "ReferenceEngine.h"

#include "ExactPower.h"
#include "ReferenceNumbers.h"
#include "ReferenceText.h"

#include <cmath>
#include <ostream>

namespace curvix::reference {
namespace {

constexpr int kEmpty = 0;
constexpr int kFunction = 102;
constexpr int kName = 110;
constexpr int kValue = 111;

constexpr int kPassOrder[] = {'(', '|', kFunction, '^', '*', '/', ':', '+', '-', '='};

const double kPi = 3.14159;
const double kDegreeFactor = kPi / 180.0;
const double kRadianFactor = 180.0 / kPi;

enum class CharClass { None, Letter, Digit };

CharClass ClassOf(char16_t unit) {
    if (unit >= 97 && unit <= 122) {
        return CharClass::Letter;
    }
    if ((unit >= 48 && unit <= 57) || unit == 46) {
        return CharClass::Digit;
    }
    return CharClass::None;
}

} // namespace

ReferenceEngine::ReferenceEngine(std::ostream& errors) : m_errors(errors) {
    SetVariable("pi", kPi);
    SetVariable("rad", 0.0);
}

void ReferenceEngine::Normalise(std::u16string& formula) {
    ToLowerAscii(formula);
    RemoveAll(formula, u" ", 0);
    RemoveAll(formula, u"\t", 0);
    ReplaceAll(formula, u"{", u"(");
    ReplaceAll(formula, u"[", u"(");
    ReplaceAll(formula, u"}", u")");
    ReplaceAll(formula, u"]", u")");
}

int ReferenceEngine::CountTokens(const std::u16string& normalised) {
    int count = 0;
    CharClass previous = CharClass::None;
    for (const char16_t unit : normalised) {
        const CharClass current = ClassOf(unit);
        if (current == CharClass::None || current != previous) {
            ++count;
        }
        previous = current;
    }
    return count;
}

double ReferenceEngine::Evaluate(std::u16string& formula) {
    for (Slot& slot : m_slots) {
        slot.kind = kEmpty;
        slot.text.clear();
    }
    Normalise(formula);
    if (CountTokens(formula) > kSlots) {
        m_errors << "Error: Formula has more than 128 tokens. Returns 0.0 ." << '\n' << std::flush;
        return 0.0;
    }
    Tokenise(formula);
    PrepareTokens();
    return EvaluateRange(-1, -1);
}

void ReferenceEngine::Tokenise(const std::u16string& normalised) {
    int current = -1;
    CharClass previous = CharClass::None;
    for (const char16_t unit : normalised) {
        const CharClass cls = ClassOf(unit);
        if (cls == CharClass::Letter) {
            if (previous != CharClass::Letter) {
                ++current;
            }
            m_slots[current].kind = kName;
            m_slots[current].text.push_back(static_cast<char>(unit));
        } else if (cls == CharClass::Digit) {
            if (previous != CharClass::Digit) {
                ++current;
            }
            m_slots[current].kind = kValue;
            m_slots[current].text.push_back(static_cast<char>(unit));
        } else {
            ++current;
            m_slots[current].kind = static_cast<int>(unit);
        }
        previous = cls;
    }
}

void ReferenceEngine::PrepareTokens() {
    for (int i = 0; i <= kSlots - 2; ++i) {
        Slot& slot = m_slots[i];
        Slot& next = m_slots[i + 1];
        if (slot.kind == '-' && next.kind == kValue) {
            WriteSlot(i + 1, -ReadSlot(i + 1));
            slot.kind = '+';
        }
        if (slot.kind == kName && next.kind == '(') {
            slot.kind = kFunction;
            slot.text += "(";
            next.kind = kEmpty;
        }
        if (slot.kind == kName && next.kind != '=') {
            double v = 0.0;
            if (i > 0 && m_slots[i - 1].kind == kValue) {
                const double number = ReadSlot(i - 1);
                v = number * GetVariable(slot.text);
                m_slots[i - 1].kind = kEmpty;
            } else if (next.kind == kValue) {
                const double number = ReadSlot(i + 1);
                v = number * GetVariable(slot.text);
                next.kind = kEmpty;
            } else {
                v = GetVariable(slot.text);
            }
            WriteSlot(i, v);
        }
    }
}

double ReferenceEngine::EvaluateRange(int first, int last) {
    for (const int kind : kPassOrder) {
        for (;;) {
            const int d = FindToken(kind, first, last);
            if (d == -1) {
                break;
            }
            double v = 0.0;
            if (kind == '(' || kind == kFunction || kind == '|') {
                const int closing = kind == '|' ? '|' : ')';
                const int c = FindClosing(closing, d + 1, last);
                v = EvaluateRange(d + 1, c);
                if (kind == kFunction) {
                    v = CallFunction(m_slots[d].text, v);
                } else if (kind == '|') {
                    v = std::fabs(v);
                }
                WriteSlot(d, v);
                if (c != -1) {
                    m_slots[c].kind = kEmpty;
                }
            } else {
                v = ApplyOperator(d);
                WriteSlot(d, v);
            }
        }
    }
    return TakeOperand(first == -1 ? 0 : first, true);
}

double ReferenceEngine::ApplyOperator(int d) {
    const int kind = m_slots[d].kind;
    switch (kind) {
    case '^': {
        const double l = TakeOperand(d - 1, false);
        const double r = TakeOperand(d + 1, true);
        return ReferencePower(l, r);
    }
    case '*': {
        const double l = TakeOperand(d - 1, false);
        const double r = TakeOperand(d + 1, true);
        return l * r;
    }
    case '+': {
        const double l = TakeOperand(d - 1, false);
        const double r = TakeOperand(d + 1, true);
        return l + r;
    }
    case '-': {
        const double l = TakeOperand(d - 1, false);
        const double r = TakeOperand(d + 1, true);
        return l - r;
    }
    case '/':
    case ':': {
        const double r = TakeOperand(d + 1, true);
        if (r == 0.0) {
            m_errors << "Error: Divide by zero!" << '\n' << std::flush;
            TakeOperand(d - 1, false);
            return 0.0;
        }
        const double l = TakeOperand(d - 1, false);
        return l / r;
    }
    case '=': {
        const double v = TakeOperand(d, true);
        const std::string name = TakeNameLeftOf(d);
        SetVariable(name, v);
        return v;
    }
    default:
        return 0.0;
    }
}

int ReferenceEngine::FindToken(int kind, int first, int last) const {
    const int from = first == -1 ? 0 : first;
    const int to = last == -1 ? kSlots : last;
    for (int i = from; i < to; ++i) {
        if (m_slots[i].kind == kind) {
            return i;
        }
    }
    return -1;
}

int ReferenceEngine::FindClosing(int kind, int first, int last) const {
    const int opener = kind == ')' ? '(' : '|';
    const int from = first == -1 ? 0 : first;
    const int to = last == -1 ? kSlots : last;
    int depth = 0;
    for (int i = from; i < to; ++i) {
        if (m_slots[i].kind == kind) {
            if (depth == 0) {
                return i;
            }
            --depth;
        } else if (m_slots[i].kind == opener) {
            ++depth;
        }
    }
    return -1;
}

double ReferenceEngine::TakeOperand(int slot, bool rightward) {
    if (rightward) {
        for (int i = slot; i <= kSlots - 1; ++i) {
            if (i < 0) {
                continue;
            }
            if (m_slots[i].kind == kValue) {
                m_slots[i].kind = kEmpty;
                return ReadSlot(i);
            }
            if (m_slots[i].kind == ')' || m_slots[i].kind == '|') {
                return 0.0;
            }
        }
        return 0.0;
    }
    for (int i = slot; i >= 0; --i) {
        if (i >= kSlots) {
            continue;
        }
        if (m_slots[i].kind == kValue) {
            m_slots[i].kind = kEmpty;
            return ReadSlot(i);
        }
        if (m_slots[i].kind == '(' || m_slots[i].kind == '|') {
            return 0.0;
        }
    }
    return 0.0;
}

std::string ReferenceEngine::TakeNameLeftOf(int d) {
    for (int i = d; i >= 0; --i) {
        if (m_slots[i].kind == kName) {
            m_slots[i].kind = kEmpty;
            return m_slots[i].text;
        }
    }
    return std::string();
}

double ReferenceEngine::ReadSlot(int slot) const {
    return ReadAtof(m_slots[slot].text);
}

void ReferenceEngine::WriteSlot(int slot, double value) {
    m_slots[slot].text = PrintFixed(value);
    m_slots[slot].kind = kValue;
}

void ReferenceEngine::SetVariable(const std::string& name, double value) {
    for (Variable& variable : m_variables) {
        if (variable.name == name) {
            variable.value = value;
            return;
        }
    }
    if (m_variables.empty()) {
        m_variables.push_back(Variable{std::string(), 0.0});
    }
    m_variables.push_back(Variable{name, value});
}

double ReferenceEngine::GetVariable(const std::string& name) {
    for (const Variable& variable : m_variables) {
        if (variable.name == name) {
            return variable.value;
        }
    }
    m_errors << "Error: Variable '" << name << "' is undeclared. It is used as 0.0 ." << '\n'
             << std::flush;
    return 0.0;
}

double ReferenceEngine::CallFunction(const std::string& call, double argument) {
    if (call == "sqrt(") {
        if (argument < 0.0) {
            m_errors << "Error: Parameter of sqrt() can't be negative." << '\n' << std::flush;
            return 0.0;
        }
        return std::sqrt(argument);
    }
    if (call == "asin(" || call == "arcsin(") {
        const bool degrees = GetVariable("rad") == 0.0;
        return degrees ? std::asin(argument) * kRadianFactor : std::asin(argument);
    }
    if (call == "acos(" || call == "arccos(") {
        const bool degrees = GetVariable("rad") == 0.0;
        return degrees ? std::acos(argument) * kRadianFactor : std::acos(argument);
    }
    if (call == "atan(" || call == "arctan(") {
        const bool degrees = GetVariable("rad") == 0.0;
        return degrees ? std::atan(argument) * kRadianFactor : std::atan(argument);
    }
    const bool degrees = GetVariable("rad") == 0.0;
    if (call == "sin(") {
        return degrees ? std::sin(argument * kDegreeFactor) : std::sin(argument);
    }
    if (call == "cos(") {
        return degrees ? std::cos(argument * kDegreeFactor) : std::cos(argument);
    }
    if (call == "tan(") {
        return degrees ? std::tan(argument * kDegreeFactor) : std::tan(argument);
    }
    if (call == "cot(") {
        return degrees ? 1.0 / std::tan(argument * kDegreeFactor) : 1.0 / std::tan(argument);
    }
    m_errors << "Error: Undefined function '" << call << ")'. Returns 0.0 ." << '\n' << std::flush;
    return 0.0;
}

} // namespace curvix::reference
