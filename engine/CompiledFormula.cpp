#include "CompiledFormula.h"

#include "ExpressionEvaluator.h"
#include "Power.h"
#include "ReportTexts.h"
#include "Token.h"

#include <algorithm>
#include <cmath>
#include <ostream>

namespace curvix {

namespace {

constexpr int kTableSize = ExpressionEvaluator::kTableSize;
// Stands for x's digits in the normalised formula; formulas holding a
// unit 0 are not compiled.
constexpr ExprString::Unit kXDigits = 0;
// Stands for x's digits in the text of a number.
constexpr char kXInNumber = 'x';

bool IsLetter(ExprString::Unit unit) {
    return unit >= 'a' && unit <= 'z';
}
bool IsDigitOrPoint(ExprString::Unit unit) {
    return (unit >= '0' && unit <= '9') || unit == '.';
}

std::string ReportLine(std::string_view before, const std::vector<ExprString::Unit>& units,
                       std::string_view after) {
    std::string line(before);
    for (const ExprString::Unit unit : units) {
        line.push_back(static_cast<char>(unit & 0xFF));
    }
    line.append(after);
    line.push_back('\n');
    return line;
}

} // namespace

// Runs tokenising, the pre-pass and the operator passes of the engine on
// token kinds alone, in the engine's order, and records each operation on
// values as it is met.
class CompiledFormula::Builder {
public:
    Builder(CompiledFormula& owner, Variant& variant) : m_owner(owner), m_variant(variant) {}

    void Build(const ExprString& normalised, bool negative) {
        if (!Tokenize(normalised, negative)) {
            m_variant.tooManyTokens = true;
            return;
        }
        LoadNumbers();
        PrepareTokens();
        m_variant.result = static_cast<std::int16_t>(EvaluateRange(-1, -1));
    }

private:
    bool Tokenize(const ExprString& normalised, bool negative) {
        enum class Class { None, Letter, Digit };
        Class previous = Class::None;
        int slot = -1;
        const auto add = [&](ExprString::Unit unit) {
            const bool x = unit == kXDigits;
            const Class current = IsLetter(unit)              ? Class::Letter
                                  : x || IsDigitOrPoint(unit) ? Class::Digit
                                                              : Class::None;
            if (current == Class::None || current != previous) {
                if (++slot == kTableSize) {
                    return false;
                }
                m_kinds[slot] = current == Class::Letter  ? KIND_NAME
                                : current == Class::Digit ? KIND_VALUE
                                                          : static_cast<int>(unit);
            }
            if (current == Class::Letter) {
                m_names[slot].push_back(unit);
            } else if (current == Class::Digit) {
                m_numbers[slot].push_back(x ? kXInNumber : static_cast<char>(unit));
            }
            previous = current;
            return true;
        };
        for (int i = 0; i < normalised.Length(); ++i) {
            const ExprString::Unit unit = normalised.At(i);
            if (unit == kXDigits && negative && !add('-')) {
                return false;
            }
            if (!add(unit)) {
                return false;
            }
        }
        m_used = slot + 1;
        return true;
    }

    void LoadNumbers() {
        for (int slot = 0; slot < m_used; ++slot) {
            if (m_kinds[slot] != KIND_VALUE) {
                continue;
            }
            const std::string& text = m_numbers[slot];
            Op op{};
            op.slot = static_cast<std::int16_t>(slot);
            if (text.size() == 1 && text[0] == kXInNumber) {
                op.code = Code::X;
            } else if (text.find(kXInNumber) == std::string::npos) {
                op.code = Code::Constant;
                op.constant = ReadDecimal(text.data(), text.size());
            } else {
                op.code = Code::MergedNumber;
                op.index = AddText(text);
                m_variant.needsText = true;
                const auto xs =
                    static_cast<std::size_t>(std::count(text.begin(), text.end(), kXInNumber));
                m_owner.m_merged.resize(
                    std::max(m_owner.m_merged.size(), text.size() + xs * kFixedSixMaxChars));
            }
            m_variant.ops.push_back(op);
        }
    }

    void PrepareTokens() {
        const int end = std::min(m_used, kTableSize - 1);
        for (int i = 0; i < end; ++i) {
            if (m_kinds[i] == '-' && m_kinds[i + 1] == KIND_VALUE) {
                Emit(Code::Fold, i + 1);
                m_kinds[i] = '+';
            }
            if (m_kinds[i] == KIND_NAME && m_kinds[i + 1] == '(') {
                m_kinds[i] = KIND_FUNCTION;
                m_names[i].push_back('(');
                m_kinds[i + 1] = KIND_EMPTY;
            }
            if (m_kinds[i] == KIND_NAME && m_kinds[i + 1] != '=') {
                int factor = kNone;
                if (i > 0 && m_kinds[i - 1] == KIND_VALUE) {
                    factor = i - 1;
                } else if (m_kinds[i + 1] == KIND_VALUE) {
                    factor = i + 1;
                }
                if (factor != kNone) {
                    m_kinds[factor] = KIND_EMPTY;
                }
                Emit(Code::Variable, i, factor, kNone, AddName(m_names[i]));
                m_kinds[i] = KIND_VALUE;
            }
        }
    }

    int EvaluateRange(int first, int last) {
        static constexpr int kPassOrder[] = {'(', '|', KIND_FUNCTION, '^', '*',
                                             '/', ':', '+',           '-', '='};
        for (const int kind : kPassOrder) {
            for (int d = FindToken(kind, first, last); d != -1; d = FindToken(kind, first, last)) {
                int closing = -1;
                if (kind == '(' || kind == '|' || kind == KIND_FUNCTION) {
                    closing = FindClosing(kind == '|' ? '|' : ')', d + 1, last);
                    const int inner = EvaluateRange(d + 1, closing);
                    if (kind == KIND_FUNCTION) {
                        Op& op = Emit(
                            Code::Call, d, inner, kNone,
                            AddText(ReportLine(kUndefinedBefore, m_names[d], kUndefinedAfter)));
                        op.function =
                            FindBuiltin(m_names[d].data(), static_cast<int>(m_names[d].size()));
                    } else {
                        Emit(kind == '|' ? Code::Bars : Code::Group, d, inner);
                    }
                } else {
                    ApplyOperator(d);
                }
                m_kinds[d] = KIND_VALUE;
                if (closing != -1) {
                    m_kinds[closing] = KIND_EMPTY;
                }
            }
        }
        return TakeOperand(first == -1 ? 0 : first, true);
    }

    void ApplyOperator(int d) {
        const int kind = m_kinds[d];
        if (kind == '/' || kind == ':') {
            const int right = TakeOperand(d + 1, true);
            Emit(Code::Divide, d, TakeOperand(d - 1, false), right);
            return;
        }
        if (kind == '=') {
            const int value = TakeOperand(d, true);
            Emit(Code::Assign, d, value, kNone, TakeNameLeftOf(d));
            return;
        }
        const int left = TakeOperand(d - 1, false);
        const int right = TakeOperand(d + 1, true);
        const Code code = kind == '^'   ? Code::Power
                          : kind == '*' ? Code::Times
                          : kind == '+' ? Code::Plus
                                        : Code::Minus;
        Emit(code, d, left, right);
    }

    int End(int last) const { return std::min(last == -1 ? kTableSize : last, m_used); }

    int FindToken(int kind, int first, int last) const {
        for (int i = first == -1 ? 0 : first; i < End(last); ++i) {
            if (m_kinds[i] == kind) {
                return i;
            }
        }
        return -1;
    }

    int FindClosing(int kind, int first, int last) const {
        const int opener = kind == int{')'} ? int{'('} : int{'|'};
        int depth = 0;
        for (int i = first == -1 ? 0 : first; i < End(last); ++i) {
            if (m_kinds[i] == kind) {
                if (depth == 0) {
                    return i;
                }
                --depth;
            } else if (m_kinds[i] == opener) {
                ++depth;
            }
        }
        return -1;
    }

    // The slot whose value the operand search takes (and consumes), or
    // kZero when it finds none.
    int TakeOperand(int slot, bool rightward) {
        const int stop = rightward ? int{')'} : int{'('};
        const int step = rightward ? 1 : -1;
        for (int i = rightward ? slot : std::min(slot, m_used - 1); i >= 0 && i < m_used;
             i += step) {
            if (m_kinds[i] == KIND_VALUE) {
                m_kinds[i] = KIND_EMPTY;
                return i;
            }
            if (m_kinds[i] == stop || m_kinds[i] == '|') {
                return kZero;
            }
        }
        return kZero;
    }

    int TakeNameLeftOf(int slot) {
        for (int i = std::min(slot, m_used - 1); i >= 0; --i) {
            if (m_kinds[i] == KIND_NAME) {
                m_kinds[i] = KIND_EMPTY;
                return AddName(m_names[i]);
            }
        }
        return AddName({});
    }

    Op& Emit(Code code, int slot, int left = kNone, int right = kNone, int index = 0) {
        Op op{};
        op.code = code;
        op.slot = static_cast<std::int16_t>(slot);
        op.left = static_cast<std::int16_t>(left);
        op.right = static_cast<std::int16_t>(right);
        op.index = index;
        m_variant.ops.push_back(op);
        return m_variant.ops.back();
    }

    int AddName(const std::vector<ExprString::Unit>& units) {
        m_owner.m_names.push_back(
            Name{units, ReportLine(kUndeclaredBefore, units, kUndeclaredAfter), nullptr});
        return static_cast<int>(m_owner.m_names.size() - 1);
    }

    int AddText(std::string text) {
        m_owner.m_texts.push_back(std::move(text));
        return static_cast<int>(m_owner.m_texts.size() - 1);
    }

    CompiledFormula& m_owner;
    Variant& m_variant;
    std::array<int, kTableSize> m_kinds{};
    std::array<std::vector<ExprString::Unit>, kTableSize> m_names;
    std::array<std::string, kTableSize> m_numbers;
    int m_used = 0;
};

CompiledFormula::CompiledFormula(ExpressionEvaluator& engine, const ExprString& formula)
    : m_engine(engine), m_divideByZero(std::string(kDivideByZeroText) + '\n'),
      m_negativeSqrt(std::string(kNegativeSqrtText) + '\n'),
      m_tooManyTokens(std::string(kTooManyTokensText) + '\n') {
    static constexpr ExprString::Unit kRad[] = {'r', 'a', 'd'};
    m_rad = engine.FindVariable(kRad, 3);
    // The substitution comes before normalisation, so only the formula's
    // own lowercase x stand for x; an "X" becomes a letter x of a name.
    ExprString marked = formula;
    ExprString::Unit* units = marked.MutableData();
    for (int i = 0; i < marked.Length(); ++i) {
        m_usable = m_usable && units[i] != kXDigits;
        if (units[i] == 'x') {
            units[i] = kXDigits; // normalisation leaves a unit 0 as it is
        }
    }
    m_usable = m_usable && m_rad != nullptr;
    if (!m_usable) {
        return;
    }
    ExpressionEvaluator::Normalize(marked);
    for (std::size_t negative = 0; negative < m_variants.size(); ++negative) {
        Builder(*this, m_variants[negative]).Build(marked, negative != 0);
    }
}

double CompiledFormula::Evaluate(float x) {
    const Variant& variant = m_variants[std::signbit(x) ? 1 : 0];
    if (variant.tooManyTokens) {
        Report(m_tooManyTokens);
        return 0.0;
    }
    // The digits of x's text read back alike whatever its sign.
    const double magnitude = std::fabs(double{x});
    const double xValue = RoundTripFixedSix(magnitude);
    if (variant.needsText) {
        m_xTextLength = FormatFixedSix(magnitude, m_xText);
    }
    double* const v = m_values.data();
    for (const Op& op : variant.ops) {
        switch (op.code) {
        case Code::Constant:
            v[op.slot] = op.constant;
            break;
        case Code::X:
            v[op.slot] = xValue;
            break;
        case Code::MergedNumber:
            v[op.slot] = ReadMergedNumber(m_texts[static_cast<std::size_t>(op.index)]);
            break;
        case Code::Fold:
            v[op.slot] = RoundTripFixedSix(-v[op.slot]);
            break;
        case Code::Variable: {
            const double value = ReadVariable(m_names[static_cast<std::size_t>(op.index)]);
            v[op.slot] = RoundTripFixedSix(op.left == kNone ? value : v[op.left] * value);
            break;
        }
        case Code::Group:
            v[op.slot] = RoundTripFixedSix(v[op.left]);
            break;
        case Code::Bars:
            v[op.slot] = RoundTripFixedSix(std::fabs(v[op.left]));
            break;
        case Code::Call:
            v[op.slot] = RoundTripFixedSix(Call(op, v[op.left]));
            break;
        case Code::Power:
            v[op.slot] = RoundTripFixedSix(Power(v[op.left], v[op.right]));
            break;
        case Code::Times:
            v[op.slot] = RoundTripFixedSix(v[op.left] * v[op.right]);
            break;
        case Code::Plus:
            v[op.slot] = RoundTripFixedSix(v[op.left] + v[op.right]);
            break;
        case Code::Minus:
            v[op.slot] = RoundTripFixedSix(v[op.left] - v[op.right]);
            break;
        case Code::Divide:
            if (v[op.right] == 0.0) {
                Report(m_divideByZero);
                v[op.slot] = 0.0;
            } else {
                v[op.slot] = RoundTripFixedSix(v[op.left] / v[op.right]);
            }
            break;
        case Code::Assign: {
            const double value = v[op.left];
            WriteVariable(m_names[static_cast<std::size_t>(op.index)], value);
            v[op.slot] = RoundTripFixedSix(value);
            break;
        }
        }
    }
    return v[variant.result];
}

double CompiledFormula::ReadVariable(Name& name) {
    if (name.node == nullptr) {
        name.node = m_engine.FindVariable(name.units.data(), static_cast<int>(name.units.size()));
        if (name.node == nullptr) {
            Report(name.undeclared); // looked up again next time: it may be assigned
            return 0.0;
        }
    }
    return name.node->value;
}

void CompiledFormula::WriteVariable(Name& name, double value) {
    if (name.node == nullptr) {
        const int length = static_cast<int>(name.units.size());
        m_engine.SetVariable(ExprString::FromUnits(name.units.data(), length), value);
        name.node = m_engine.FindVariable(name.units.data(), length);
        return;
    }
    name.node->value = value;
}

double CompiledFormula::Call(const Op& op, double argument) {
    if (op.function == Builtin::Sqrt && argument < 0.0) {
        Report(m_negativeSqrt);
        return 0.0;
    }
    if (op.function == Builtin::Undefined) {
        Report(m_texts[static_cast<std::size_t>(op.index)]);
        return 0.0;
    }
    return ApplyBuiltin(op.function, argument, m_rad->value == 0.0);
}

double CompiledFormula::ReadMergedNumber(const std::string& pattern) {
    char* const begin = m_merged.data();
    char* out = begin;
    for (const char c : pattern) {
        if (c == kXInNumber) {
            out = std::copy(m_xText, m_xText + m_xTextLength, out);
        } else {
            *out++ = c;
        }
    }
    return ReadDecimal(begin, static_cast<std::size_t>(out - begin));
}

void CompiledFormula::Report(const std::string& line) {
    m_engine.m_errors->write(line.data(), static_cast<std::streamsize>(line.size()));
    m_engine.m_errors->flush();
}

} // namespace curvix
