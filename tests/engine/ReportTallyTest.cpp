#include "ReportTally.h"

#include "ExpressionEvaluator.h"

#include <gtest/gtest.h>
#include <sstream>

namespace curvix {
namespace {

TEST(ReportTee, PassesTheEnginesBytesOnAndCountsDistinctLinesInFirstSeenOrder) {
    std::ostringstream direct;
    ExpressionEvaluator alone;
    alone.SetErrorStream(direct);
    std::ostringstream target;
    ReportTally tally;
    ReportTee tee(target, tally);
    ExpressionEvaluator engine;
    engine.SetErrorStream(tee);
    for (const char* formula : {"foo(y)/0", "y"}) {
        ExprString a(formula);
        ExprString b(formula);
        alone.Evaluate(a);
        engine.Evaluate(b);
    }
    tee << "unfinished";
    EXPECT_EQ(target.str(), direct.str() + "unfinished");
    ASSERT_EQ(tally.Lines().size(), 3U); // the unfinished line is not counted
    EXPECT_EQ(tally.Lines()[0].line, "Error: Variable 'y' is undeclared. It is used as 0.0 .");
    EXPECT_EQ(tally.Lines()[0].count, 2);
    EXPECT_EQ(tally.Lines()[1].line, "Error: Undefined function 'foo()'. Returns 0.0 .");
    EXPECT_EQ(tally.Lines()[2].line, "Error: Divide by zero!");
    EXPECT_EQ(tally.Lines()[2].count, 1);
}

TEST(ReportTally, KeepsABoundedNumberOfDistinctLinesAndCountsTheRest) {
    ReportTally tally;
    EXPECT_TRUE(tally.IsEmpty());
    for (std::size_t i = 0; i < ReportTally::kMaxDistinctLines + 2; ++i)
        tally.Count(std::to_string(i));
    tally.Count("0");
    EXPECT_EQ(tally.Lines().size(), ReportTally::kMaxDistinctLines);
    EXPECT_EQ(tally.Lines()[0].count, 2);
    EXPECT_EQ(tally.OtherLines(), 2);
}

} // namespace
} // namespace curvix
