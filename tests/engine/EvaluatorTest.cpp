#include "ExprString.h"
#include "ExpressionEvaluator.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace curvix {
namespace {

constexpr const char* kDivideByZero = "Error: Divide by zero!\n";
constexpr const char* kNegativeSqrt = "Error: Parameter of sqrt() can't be negative.\n";

std::string Undeclared(const std::string& name) {
    return "Error: Variable '" + name + "' is undeclared. It is used as 0.0 .\n";
}

std::string Undefined(const std::string& call) {
    return "Error: Undefined function '" + call + ")'. Returns 0.0 .\n";
}

// One engine whose reports are collected, as a view's engine would be used.
class Engine {
public:
    Engine() { m_engine.SetErrorStream(m_reports); }

    double Evaluate(const std::string& formula) {
        m_reports.str("");
        ExprString text(formula.data(), static_cast<int>(formula.size()));
        const double result = m_engine.Evaluate(text);
        m_normalised = text.ToNarrow();
        return result;
    }
    std::string Reports() const { return m_reports.str(); }
    std::string Normalised() const { return m_normalised; }
    const ExpressionEvaluator& Raw() const { return m_engine; }

private:
    ExpressionEvaluator m_engine;
    std::ostringstream m_reports;
    std::string m_normalised;
};

bool SameDouble(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

struct Case {
    const char* formula;
    double result;
    std::string reports;
};

void ExpectEachOnFreshEngine(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        Engine engine;
        const double result = engine.Evaluate(c.formula);
        EXPECT_TRUE(SameDouble(result, c.result))
            << "'" << c.formula << "' gave " << result << ", expected " << c.result;
        EXPECT_EQ(engine.Reports(), c.reports) << "'" << c.formula << "'";
    }
}

TEST(Evaluator, PassOrderAndSignFolding) {
    ExpectEachOnFreshEngine({
        {"1-2+3", 2, ""},
        {"10-2-3", 5, ""},
        {"8/2*2", 2, ""},
        {"12:3/2", 8, ""},
        {"1-(2)+3", -4, ""},
        {"2^3^2", 64, ""},
        {"2*3+4*5", 26, ""},
        {"2-3^2", 11, ""},
        {"-3^2", 9, ""},
        {"-(3)^2", -9, ""},
        {"2*-3", -6, ""},
        {"2^-1", 0.5, ""},
        {"1-2*3", -5, ""},
        {"1-2.000000^2", 5, ""},
        {"1--2.000000^2", -5, ""},
        {"2-3.000000", -1, ""},
        {"-10.000000^2", 100, ""},
    });
}

TEST(Evaluator, OperandsAreTheNearestValues) {
    ExpectEachOnFreshEngine({
        {"+5", 5, ""},
        {"5-", 5, ""},
        {"*5", 0, ""},
        {"2**3", 0, ""},
        {"2(3)", 2, ""},
        {"2sin(30)", 2, ""},
        {"(2,3)+1", 2, ""},
        {"1,5", 1, ""},
        {"12\n3", 12, ""},
        {"1\n+2", 3, ""},
        {"", 0, ""},
        {" \t ", 0, ""},
    });
}

TEST(Evaluator, GroupsBarsAndCalls) {
    ExpectEachOnFreshEngine({
        {"(1+2)*|2-5|", 9, ""},
        {"|2-5|*2", 6, ""},
        {"|1|-|2|", -1, ""},
        {"1+sin(-30)", -0.484809, ""},
        {"2*sin(-30)", -0.0, ""},
        {"sin(-30)*2", -1, ""},
        {"(sin(30)+1)*2", 0, ""},
        {"(sin(30))+1", 0, ""},
        {"sin(30)+1", 1.5, ""},
        {"(2", 2, ""},
        {"2*(3", 6, ""},
        {"sin(2", 0.034899, ""},
        {"|1-3", 2, ""},
        {"2)", 2, ""},
        {")2", 0, ""},
        {"[1+2]*{3}", 9, ""},
        {"((((((1+2", 3, ""},
    });
}

TEST(Evaluator, SixDecimalIntermediates) {
    ExpectEachOnFreshEngine({
        {"1/3", 0.333333, ""},
        {"1/3*3", 0.111111, ""},
        {"0.0000001", 0.0000001, ""},
        {"0.0000001*10", 0.000001, ""},
        {"1-0.0000001", 1, ""},
        {"-0.0000001", 0.0, ""}, // folds to -0, then 0 + -0
        {"1.2.3", 1.2, ""},
        {"2 5", 25, ""},
        {"1e5", 0, Undeclared("e")}, // 1 times the undeclared e; the 5 stays unused
    });
}

TEST(Evaluator, NonFiniteValues) {
    const std::string huge = std::string(400, '9');
    ExpectEachOnFreshEngine({
        {"10^400", 0, ""},
        {"asin(2)", 0, ""},
        {"cot(0)", 0, ""},
        {"-10^400", 0, ""},
        {huge.c_str(), HUGE_VAL, ""},
        {("0." + std::string(400, '0') + "1").c_str(), 0, ""},
    });
}

TEST(Evaluator, BuiltInFunctionsInDegrees) {
    ExpectEachOnFreshEngine({
        {"sin(30)", 0.5, ""},
        {"cos(60)", 0.500001, ""},
        {"tan(45)", 0.999999, ""},
        {"cot(45)", 1.000001, ""},
        {"tan(90)", 753695.995141, ""},
        {"atan(1)", 45.000038, ""},
        {"arctan(1)", 45.000038, ""},
        {"asin(1)", 90.000076, ""},
        {"arcsin(1)", 90.000076, ""},
        {"acos(0.5)", 60.000051, ""},
        {"arccos(0.5)", 60.000051, ""},
        {"sqrt(2)", 1.414214, ""},
        {"SQRT(4)", 2, ""},
        {"sqrt(-0)", 0, ""},
        {"sqrt(-1)", 0, kNegativeSqrt},
        {"foo(2)", 0, Undefined("foo(")},
        {"sin", 0, Undeclared("sin")},
        {"abs(2)", 0, Undefined("abs(")},
    });
}

TEST(Evaluator, ReportsInTheOrderTheyAreMet) {
    ExpectEachOnFreshEngine({
        {"1/0", 0, kDivideByZero},
        {"2+1/0", 2, kDivideByZero},
        {"1:0", 0, kDivideByZero},
        {"foo(y)", 0, Undeclared("y") + Undefined("foo(")},
        {"y+z/0", 0, Undeclared("y") + Undeclared("z") + kDivideByZero},
        {"sqrt(-1)/0+q", 0, Undeclared("q") + kNegativeSqrt + kDivideByZero},
        {"f\xE9(1)", 0, Undeclared("f")}, // the byte parts "f" from its bracket
    });
}

TEST(Evaluator, ImplicitProductsAndVariables) {
    ExpectEachOnFreshEngine({
        {"-pi", -3.14159, ""},
        {"2pi", 6.28318, ""},
        {"pi2", 6.28318, ""},
        {"PI", 3.14159, ""},
        {"2=3", 2, ""},
        {"=5", 5, ""},
        {"a=b=3", 3, ""},
    });
}

// Formulas evaluated one after another on one engine, as the sampler and
// repeated Draw commands do: assignments are seen by later evaluations.
TEST(Evaluator, VariablesPersistAcrossEvaluations) {
    const struct {
        const char* formula;
        double result;
    } steps[] = {
        {"a=2", 2},
        {"3a+1", 7},
        {"a*3", 6},
        {"t=1.5", 1.5},
        {"2t^2", 9},
        {"b=c=3", 3},
        {"c", 0},
        {"b", 3},
        {"rad=1", 1},
        {"sin(30)", -0.988032},
        {"atan(1)", 0.785398},
        {"rad=-0", 0.0},
        {"sin(30)", 0.5},
        {"rad=0.5", 0.5},
        {"sin(30)", -0.988032},
        {"rad=0", 0},
        {"pi=3", 3},
        {"pi", 3},
        {"2pi", 6},
        {"a=a+1", 3},
    };
    Engine engine;
    for (const auto& step : steps) {
        const double result = engine.Evaluate(step.formula);
        EXPECT_TRUE(SameDouble(result, step.result)) << step.formula << " gave " << result;
        EXPECT_EQ(engine.Reports(), "") << step.formula;
    }
}

TEST(Evaluator, VariableListKeepsOrderOfFirstAssignment) {
    Engine engine;
    engine.Evaluate("zeta=1");
    engine.Evaluate("2=3");
    engine.Evaluate("alpha=2");
    engine.Evaluate("zeta=4");
    std::vector<std::pair<std::string, double>> list;
    for (const VariableNode* node = engine.Raw().FirstVariable(); node; node = node->next.get()) {
        ExprString name(node->name);
        list.emplace_back(name.ToNarrow(), node->value);
    }
    const std::vector<std::pair<std::string, double>> expected = {
        {"", 3}, {"pi", 3.14159}, {"rad", 0}, {"zeta", 4}, {"alpha", 2}};
    EXPECT_EQ(list, expected);
}

TEST(Evaluator, UndeclaredNamesReportEveryTime) {
    Engine engine;
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(engine.Evaluate("y+1"), 1);
        EXPECT_EQ(engine.Reports(), Undeclared("y"));
    }
}

TEST(Evaluator, FormulaIsNormalisedInPlace) {
    Engine engine;
    engine.Evaluate(" SIN ( [X] ) +\t{Y}\r\n\xC9");
    EXPECT_EQ(engine.Normalised(), "sin((x))+(y)\r\n\xC9");
}

std::string Repeat(const std::string& piece, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += piece;
    }
    return text;
}

TEST(Evaluator, TokenTableHoldsAtMost128Tokens) {
    const std::string tooMany = "Error: Formula has more than 128 tokens. Returns 0.0 .\n";
    // "1+" is two tokens: 62 of them and "1,2," make 128.
    const std::string exactly128 = Repeat("1+", 62) + "1,2,";
    const std::string exactly129 = Repeat("1+", 62) + "1,2,3";
    ExpectEachOnFreshEngine({
        {exactly128.c_str(), 63, ""},
        {exactly129.c_str(), 0, tooMany},
        {Repeat("(", 128).c_str(), 0, ""},
        {(Repeat("(", 127) + "7").c_str(), 7, ""},
        {Repeat("1+", 5000).c_str(), 0, tooMany},
        {(Repeat("a=", 70)).c_str(), 0, tooMany},
    });
    // The slot after the last one is never seen by the pre-pass, so a name
    // there is neither resolved nor reported.
    const std::string nameInLastSlot = Repeat("1,", 63) + "1y";
    ExpectEachOnFreshEngine({{nameInLastSlot.c_str(), 1, ""}});
}

TEST(Evaluator, RejectedFormulaAssignsNothing) {
    Engine engine;
    engine.Evaluate("q=5" + Repeat(",", 200));
    EXPECT_EQ(engine.Evaluate("q"), 0);
    EXPECT_EQ(engine.Reports(), Undeclared("q"));
}

} // namespace
} // namespace curvix
