#include "FormulaGenerator.h"

#include "reference/ReferenceEngine.h"
#include "reference/ReferenceText.h"

#include <array>
#include <string_view>

namespace curvix::testing {
namespace {

constexpr std::array<std::string_view, 14> kVariables = {
    "pi", "rad", "x", "a", "b", "c", "t", "y", "e", "sin", "cos", "sqrt", "foo", "arcsin"};
constexpr std::array<std::string_view, 12> kFunctions = {"sin",    "cos",  "tan",    "cot",
                                                         "sqrt",   "asin", "arcsin", "acos",
                                                         "arccos", "atan", "arctan", "foo"};
constexpr std::string_view kOperators = "()|^*/:+-=()|^*/:+-=,;!_{[]}";

std::string Digits(std::mt19937& random, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text.push_back(static_cast<char>('0' + random() % 10));
    }
    return text;
}

// k / 2^n written out in full: every such value has an exact decimal form
// of n places, so the six-decimal rounding lands exactly on a tie when
// n > 6 and the digits after the sixth are 5 followed by zeros.
std::string DyadicText(std::uint64_t k, int n) {
    std::uint64_t scaled = k;
    for (int i = 0; i < n; ++i) {
        scaled *= 5;
    }
    std::string digits = std::to_string(scaled);
    if (n == 0) {
        return digits;
    }
    while (static_cast<int>(digits.size()) <= n) {
        digits.insert(digits.begin(), '0');
    }
    digits.insert(digits.end() - n, '.');
    return digits;
}

} // namespace

int FormulaGenerator::Uniform(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(m_random);
}

bool FormulaGenerator::Chance(int percent) {
    return Uniform(0, 99) < percent;
}

std::string FormulaGenerator::Number() {
    switch (Uniform(0, 11)) {
    case 0:
        return std::to_string(Uniform(0, 9));
    case 1:
        return std::to_string(Uniform(0, 1000));
    case 2:
        return Digits(m_random, Uniform(1, 4)) + "." + Digits(m_random, Uniform(1, 9));
    case 3:
        return Digits(m_random, Uniform(1, 3)) + "." + Digits(m_random, 6) + "5" +
               (Chance(50) ? std::string() : Digits(m_random, Uniform(1, 3)));
    case 4:
        return DyadicText(static_cast<std::uint64_t>(Uniform(0, 4000)), Uniform(1, 20));
    case 5:
        return "0." + std::string(static_cast<std::size_t>(Uniform(5, 8)), '0') +
               std::to_string(Uniform(1, 9));
    case 6:
        return Digits(m_random, Uniform(15, 40)) + (Chance(50) ? "." + Digits(m_random, 3) : "");
    case 7:
        // Too long for a double: reads as infinity.
        return "1" + Digits(m_random, Uniform(300, 330));
    case 8: {
        std::string text = Digits(m_random, Uniform(0, 3));
        const int points = Uniform(1, 4);
        for (int i = 0; i < points; ++i) {
            text += "." + Digits(m_random, Uniform(0, 3));
        }
        return text;
    }
    case 9:
        return std::to_string(Uniform(-20, 20) * 15) + ".000000";
    case 10:
        return std::to_string(Uniform(1, 9)) + "e" + std::to_string(Uniform(1, 30));
    default:
        return Digits(m_random, Uniform(1, 25));
    }
}

std::string FormulaGenerator::Name() {
    if (Chance(15)) {
        std::string unknown;
        const int length = Uniform(1, 5);
        for (int i = 0; i < length; ++i) {
            unknown.push_back(static_cast<char>('a' + Uniform(0, 25)));
        }
        return unknown;
    }
    return std::string(kVariables[static_cast<std::size_t>(Uniform(0, kVariables.size() - 1))]);
}

std::string FormulaGenerator::Call() {
    std::string call(kFunctions[static_cast<std::size_t>(Uniform(0, kFunctions.size() - 1))]);
    static constexpr std::string_view kOpeners = "(((([{";
    call.push_back(kOpeners[static_cast<std::size_t>(Uniform(0, kOpeners.size() - 1))]);
    return call;
}

std::string FormulaGenerator::Operator() {
    return std::string(1, kOperators[static_cast<std::size_t>(Uniform(0, kOperators.size() - 1))]);
}

std::string FormulaGenerator::Fragment() {
    const int pick = Uniform(0, 99);
    if (pick < 28) {
        return Number();
    }
    if (pick < 40) {
        return Name();
    }
    if (pick < 50) {
        return Call();
    }
    if (pick < 85) {
        return Operator();
    }
    if (pick < 88) {
        return "-" + Number();
    }
    if (pick < 91) {
        // Assignments that change later evaluations, the switches included.
        static constexpr std::array<std::string_view, 6> kTargets = {
            "a=", "b=", "t=", "rad=", "pi=", "x="};
        return std::string(kTargets[static_cast<std::size_t>(Uniform(0, kTargets.size() - 1))]);
    }
    if (pick < 94) {
        static constexpr std::array<std::string_view, 6> kBlanks = {" ",  "\t", "\n",
                                                                    "\r", "  ", "\r\n"};
        return std::string(kBlanks[static_cast<std::size_t>(Uniform(0, kBlanks.size() - 1))]);
    }
    if (pick < 96) {
        return std::string(1, static_cast<char>(Uniform(0x80, 0xFF)));
    }
    if (pick < 98) {
        return std::string(static_cast<std::size_t>(Uniform(2, 12)), Chance(50) ? '(' : '|');
    }
    return "rad=" + std::string(Chance(70) ? "0" : "1");
}

std::string FormulaGenerator::Decorate(const std::string& formula) {
    std::string text;
    for (const char c : formula) {
        if (Chance(4)) {
            text.push_back(Chance(70) ? ' ' : '\t');
        }
        if (c >= 'a' && c <= 'z' && Chance(10)) {
            text.push_back(static_cast<char>(c - 'a' + 'A'));
        } else if (c == '(' && Chance(10)) {
            text.push_back(Chance(50) ? '{' : '[');
        } else if (c == ')' && Chance(10)) {
            text.push_back(Chance(50) ? '}' : ']');
        } else {
            text.push_back(c);
        }
    }
    return text;
}

std::string FormulaGenerator::Next() {
    const int fragments = Chance(3) ? Uniform(60, 200) : Uniform(1, 14);
    std::string formula;
    for (int i = 0; i < fragments; ++i) {
        formula += Fragment();
    }
    return Decorate(formula);
}

std::string FormulaGenerator::WithTokenCount(int tokens) {
    std::u16string text;
    while (reference::ReferenceEngine::CountTokens(text) <= tokens) {
        std::u16string more = reference::Widen(Next());
        reference::ReferenceEngine::Normalise(more);
        text += more;
    }
    // Cut where the token after the wanted count begins: a letter after a
    // letter or a digit or point after a digit or point continues a token,
    // everything else starts one.
    std::u16string prefix;
    int count = 0;
    int previous = 0; // 0 other, 1 letter, 2 digit
    for (const char16_t unit : text) {
        const int current = (unit >= u'a' && unit <= u'z')                     ? 1
                            : ((unit >= u'0' && unit <= u'9') || unit == u'.') ? 2
                                                                               : 0;
        const bool starts = current == 0 || current != previous;
        if (starts && count == tokens) {
            break;
        }
        count += starts ? 1 : 0;
        previous = current;
        prefix.push_back(unit);
    }
    std::string bytes;
    for (const char16_t unit : prefix) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
    }
    return Decorate(bytes);
}

std::string FormulaGenerator::WithX() {
    static constexpr std::array<std::string_view, 30> kWithX = {
        "x",    "2x",    "x2",  "x.5",   ".x",    "x.",   "xx",        "1.x",    "max", "exp",
        "xmax", "x(",    "(x)", "-x",    "--x",   "|x|",  "x^x",       "1/x",    "/x",  "sqrt(x",
        "a=x",  "a=a+x", "x=",  "rad=x", "x^0.5", "10^x", "tan(x*90)", "cot(x)", "xe5", "foo(x)"};
    const int fragments = Chance(3) ? Uniform(60, 200) : Uniform(1, 14);
    std::string formula;
    for (int i = 0; i < fragments; ++i) {
        formula +=
            Chance(40)
                ? std::string(kWithX[static_cast<std::size_t>(Uniform(0, kWithX.size() - 1))])
                : Fragment();
    }
    return Decorate(formula);
}

std::string FormulaGenerator::WithXNearTokenLimit() {
    // Each "*x" is two tokens, or three with x's minus.
    const int products = Uniform(1, 5);
    std::string formula = WithTokenCount(Uniform(127 - 3 * products, 129 - 2 * products));
    for (int i = 0; i < products; ++i) {
        formula += "*x";
    }
    return formula;
}

} // namespace curvix::testing
