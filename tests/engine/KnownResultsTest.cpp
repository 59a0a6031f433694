// Fixed formulas with known values, run on both the reference and the
// production engine: they anchor the reference before it judges the
// production engine in the differential test.
#include "EngineUnderTest.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace curvix::testing {
namespace {

const std::string kDivide = "Error: Divide by zero!\n";
const std::string kSqrt = "Error: Parameter of sqrt() can't be negative.\n";
const std::string kTooMany = "Error: Formula has more than 128 tokens. Returns 0.0 .\n";

std::string Undeclared(const std::string& name) {
    return "Error: Variable '" + name + "' is undeclared. It is used as 0.0 .\n";
}

std::string Repeat(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

struct Step {
    std::string formula;
    double result;
    std::string reports;
};

// Each case runs its steps in order on one fresh engine.
struct Case {
    std::string name;
    std::vector<Step> steps;
};

std::vector<Case> Cases() {
    return {
        {"SignFoldsIntoSum", {{"1-2+3", 2, ""}}},
        {"ProductBeforeQuotient", {{"8/2*2", 2, ""}}},
        {"SlashBeforeColon", {{"12:3/2", 8, ""}}},
        {"PlusBeforeMinus", {{"1-(2)+3", -4, ""}}},
        {"PowerLeftToRight", {{"2^3^2", 64, ""}}},
        {"SumOfProducts", {{"2*3+4*5", 26, ""}}},
        {"FoldedSignIsSquared", {{"2-3^2", 11, ""}}},
        {"MinusBeforeGroupStays", {{"-(3)^2", -9, ""}}},
        {"MinusBeforeName", {{"-pi", -3.14159, ""}}},
        {"NumberTimesName", {{"2pi", 6.28318, ""}}},
        {"NameTimesNumber", {{"pi2", 6.28318, ""}}},
        {"BarsThenProduct", {{"|2-5|*2", 6, ""}}},
        {"TwoBarGroups", {{"|1|-|2|", -1, ""}}},
        {"GroupAfterNumberIgnored", {{"2(3)", 2, ""}}},
        {"DoubleStar", {{"2**3", 0, ""}}},
        {"SixDecimalIntermediate", {{"1/3*3", 0.111111, ""}}},
        {"OneThird", {{"1/3", 0.333333, ""}}},
        {"DivideByZero", {{"1/0", 0, kDivide}}},
        {"DivideByZeroInSum", {{"2+1/0", 2, kDivide}}},
        {"CallReachesLeft", {{"1+sin(-30)", -0.484809, ""}}},
        {"CallAfterProduct", {{"2*sin(-30)", 0, ""}}},
        {"CallBeforeProduct", {{"sin(-30)*2", -1, ""}}},
        {"CallClosesGroup", {{"(sin(30)+1)*2", 0, ""}}},
        {"CallClosesGroupAlone", {{"(sin(30))+1", 0, ""}}},
        {"CallThenSum", {{"sin(30)+1", 1.5, ""}}},
        {"UnclosedCall", {{"sin(2", 0.034899, ""}}},
        {"UnclosedGroup", {{"(2", 2, ""}, {"2*(3", 6, ""}, {"|1-3", 2, ""}}},
        {"StrayClosing", {{"2)", 2, ""}, {")2", 0, ""}}},
        {"EmptyFormula", {{"", 0, ""}, {" \t ", 0, ""}}},
        {"WorkedExample", {{"1-2*3", -5, ""}, {"(1+2)*|2-5|", 9, ""}}},
        {"MissingOperands", {{"+5", 5, ""}, {"5-", 5, ""}, {"*5", 0, ""}}},
        {"SideBySide", {{"2sin(30)", 2, ""}, {"(2,3)+1", 2, ""}, {"1,5", 1, ""}}},
        {"TinyNumbers",
         {{"0.0000001", 0.0000001, ""}, {"0.0000001*10", 0.000001, ""}, {"1-0.0000001", 1, ""}}},
        {"Normalisation", {{"2 5", 25, ""}, {"[1+2]*{3}", 9, ""}, {"SQRT(4)", 2, ""}}},
        {"SeveralPoints", {{"1.2.3", 1.2, ""}}},
        {"SampledX",
         {{"1-2.000000^2", 5, ""}, {"1--2.000000^2", -5, ""}, {"2*-3", -6, ""}, {"2^-1", 0.5, ""}}},
        {"NoExponent", {{"1e5", 0, Undeclared("e")}}},
        {"Degrees",
         {{"sin(30)", 0.5, ""},
          {"cos(60)", 0.500001, ""},
          {"tan(45)", 0.999999, ""},
          {"cot(45)", 1.000001, ""},
          {"tan(90)", 753695.995141, ""},
          {"atan(1)", 45.000038, ""},
          {"asin(1)", 90.000076, ""},
          {"acos(0.5)", 60.000051, ""},
          {"sqrt(2)", 1.414214, ""}}},
        {"Radians",
         {{"rad=1", 1, ""},
          {"sin(30)", -0.988032, ""},
          {"atan(1)", 0.785398, ""},
          {"rad=0", 0, ""},
          {"sin(30)", 0.5, ""}}},
        {"BadCalls",
         {{"sqrt(-1)", 0, kSqrt},
          {"foo(2)", 0, "Error: Undefined function 'foo()'. Returns 0.0 .\n"},
          {"sin", 0, Undeclared("sin")},
          {"y+1", 1, Undeclared("y")},
          {"foo(y)", 0, Undeclared("y") + "Error: Undefined function 'foo()'. Returns 0.0 .\n"}}},
        {"Assignments", {{"a=2", 2, ""}, {"3a+1", 7, ""}, {"t=1.5", 1.5, ""}, {"2t^2", 9, ""}}},
        {"ChainedAssignment", {{"b=c=3", 3, ""}, {"c", 0, ""}, {"b", 3, ""}}},
        {"PiChanged", {{"pi=3", 3, ""}, {"pi", 3, ""}, {"2pi", 6, ""}}},
        // The value of an assignment to no name goes to the head node; the
        // result is the first value left, the 2.
        {"AssignToNumber", {{"2=3", 2, ""}, {"=5", 5, ""}}},
        {"TokenLimit",
         {{Repeat("+1", 64), 64, ""},
          {"1" + Repeat("+1", 64), 0, kTooMany},
          {Repeat("+ 1", 64), 64, ""}}},
        // A name in the last slot is never looked up, so it is not reported.
        {"NameInLastSlot", {{Repeat("1+", 63) + "1q", 64, ""}, {Repeat("+1", 63) + "+q", 63, ""}}},
        {"DeepNesting", {{Repeat("(", 127) + "7", 7, ""}, {Repeat("(", 128), 0, ""}}},
    };
}

template <typename Runner> class KnownResultsTest : public ::testing::Test {};

using Runners = ::testing::Types<ReferenceRunner, ProductionRunner>;
TYPED_TEST_SUITE(KnownResultsTest, Runners);

TYPED_TEST(KnownResultsTest, EveryStepGivesItsValueAndReports) {
    for (const Case& c : Cases()) {
        TypeParam runner;
        for (const Step& step : c.steps) {
            const Outcome outcome = runner.Run(step.formula);
            EXPECT_EQ(outcome.result, step.result) << c.name << ": " << step.formula;
            EXPECT_EQ(outcome.reports, step.reports) << c.name << ": " << step.formula;
        }
    }
}

TYPED_TEST(KnownResultsTest, FormulaIsLeftNormalised) {
    TypeParam runner;
    const Outcome outcome = runner.Run("  SIN {X}\t+[2]\r\n\xC9");
    EXPECT_EQ(outcome.normalised, u"sin(x)+(2)\r\n\xFFC9");
}

} // namespace
} // namespace curvix::testing
