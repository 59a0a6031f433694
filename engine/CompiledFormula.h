#pragma once

#include "Builtin.h"
#include "ExprString.h"
#include "NumberText.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace curvix {

class ExpressionEvaluator;
struct VariableNode;

// One formula prepared for sampling. Evaluate(x) gives what the engine's
// Evaluate gives for the formula with every lowercase "x" replaced by the
// "%f" text of x: the same value bits, the same report lines in the same
// order, the same variable reads and assignments on the same engine. It
// builds and reads no text for that, and allocates nothing per sample.
//
// Why one preparation holds for every x: x's text is an optional minus,
// then digits, a point and six digits. Whatever the digits, they classify
// alike, so the tokens of the rewritten formula depend on the formula and on
// that minus alone. Every step of the pre-pass and of the operator passes
// (which slot a pass finds, which operands it takes and consumes, even both
// outcomes of a division) depends on token kinds only, never on values. So
// the formula is tokenised and all passes are run on kinds once for each
// sign of x, recording the arithmetic as a list of operations on the slots'
// values; a sample replays the list of its sign. What follows from the text:
// - x's digits merge with digits and points beside them ("2x" at x = 3 is
//   the number "23.000000", "x.5" is "3.000000.5"): such a number is read
//   from its text, rebuilt per sample in a buffer reserved once;
// - an "x" inside a name splits it ("max" is the name "ma" and x's value);
// - x's minus is a token of its own, so the count of tokens, and whether it
//   passes 128, can differ with the sign: each sign has its own outcome.
class CompiledFormula {
public:
    CompiledFormula(ExpressionEvaluator& engine, const ExprString& formula);

    // False where identity with the textual path is not shown, and the run
    // must sample textually: a formula holding a unit 0 (the textual
    // rewriting ends its text there when all units are 8-bit, and keeps it
    // otherwise), or an engine without its "rad" variable.
    bool IsUsable() const { return m_usable; }

    double Evaluate(float x);

private:
    enum class Code : std::uint8_t {
        Constant,
        X,
        MergedNumber,
        Fold,
        Variable,
        Group,
        Bars,
        Call,
        Power,
        Times,
        Plus,
        Minus,
        Divide,
        Assign,
    };
    static constexpr std::int16_t kZero = 128; // the value of a missing operand
    static constexpr std::int16_t kNone = -1;
    struct Op {
        Code code = Code::Constant;
        Builtin function = Builtin::Undefined;
        std::int16_t slot = 0; // the slot written
        std::int16_t left = kNone;
        std::int16_t right = kNone;
        std::int32_t index = 0; // into m_names or m_texts
        double constant = 0.0;
    };
    struct Name {
        std::vector<ExprString::Unit> units;
        std::string undeclared; // the report line
        // Found once, then kept: nodes are never removed or renamed.
        VariableNode* node = nullptr;
    };
    // What the rewritten formula does for one sign of x.
    struct Variant {
        std::vector<Op> ops;
        std::int16_t result = kZero;
        bool tooManyTokens = false;
        bool needsText = false; // x's digits merge into a number
    };
    class Builder;

    double ReadVariable(Name& name);
    void WriteVariable(Name& name, double value);
    double Call(const Op& op, double argument);
    double ReadMergedNumber(const std::string& pattern);
    void Report(const std::string& line);

    ExpressionEvaluator& m_engine;
    bool m_usable = true;
    std::array<Variant, 2> m_variants; // x's text without, with a minus
    std::vector<Name> m_names;
    std::vector<std::string> m_texts; // report lines and number patterns
    std::string m_divideByZero;
    std::string m_negativeSqrt;
    std::string m_tooManyTokens;
    const VariableNode* m_rad = nullptr;
    std::array<double, kZero + 1> m_values{};
    char m_xText[kFixedSixMaxChars] = {};
    std::size_t m_xTextLength = 0;
    std::vector<char> m_merged; // a merged number's text
};

} // namespace curvix
