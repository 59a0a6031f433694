#include "ReportTally.h"

#include "ExpressionEvaluator.h"

#include <gtest/gtest.h>
#include <sstream>
#include <streambuf>

namespace curvix {
namespace {

// Counts the flushes that reach it.
class FlushCounter : public std::stringbuf {
public:
    int flushes = 0;

protected:
    int sync() override {
        ++flushes;
        return 0;
    }
};

TEST(ReportTee, PassesEveryByteAndFlushOnAndCountsCompleteLinesInFirstSeenOrder) {
    FlushCounter target;
    std::ostream targetStream(&target);
    ReportTally tally;
    ReportTee tee(targetStream, tally);
    tee << "b\n" << 'a' << '\n' << std::flush;
    tee.write("b\nc\nb\n", 6);
    tee << "unfinished";
    EXPECT_EQ(target.str(), "b\na\nb\nc\nb\nunfinished");
    EXPECT_EQ(target.flushes, 1);
    ASSERT_EQ(tally.Lines().size(), 3U);
    EXPECT_EQ(tally.Lines()[0].line, "b");
    EXPECT_EQ(tally.Lines()[0].count, 3);
    EXPECT_EQ(tally.Lines()[1].line, "a");
    EXPECT_EQ(tally.Lines()[2].line, "c");
    EXPECT_EQ(tally.Lines()[2].count, 1);
    // An empty line is a report like any other.
    tee << '\n';
    EXPECT_EQ(tally.Lines().back().line, "unfinished");
}

TEST(ReportTee, CountsTheEnginesReportsWhileTheyReachTheTarget) {
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
    EXPECT_EQ(target.str(), direct.str());
    ASSERT_EQ(tally.Lines().size(), 3U);
    EXPECT_EQ(tally.Lines()[0].line, "Error: Variable 'y' is undeclared. It is used as 0.0 .");
    EXPECT_EQ(tally.Lines()[0].count, 2);
    EXPECT_EQ(tally.Lines()[1].line, "Error: Undefined function 'foo()'. Returns 0.0 .");
    EXPECT_EQ(tally.Lines()[2].line, "Error: Divide by zero!");
}

TEST(ReportTally, KeepsABoundedNumberOfDistinctLinesAndCountsTheRest) {
    ReportTally tally;
    EXPECT_TRUE(tally.IsEmpty());
    for (std::size_t i = 0; i < ReportTally::kMaxDistinctLines + 2; ++i)
        tally.Count(std::to_string(i));
    tally.Count("0");
    tally.Count(std::to_string(ReportTally::kMaxDistinctLines));
    EXPECT_EQ(tally.Lines().size(), ReportTally::kMaxDistinctLines);
    EXPECT_EQ(tally.Lines()[0].count, 2);
    EXPECT_EQ(tally.OtherLines(), 3);
    EXPECT_FALSE(tally.IsEmpty());
}

} // namespace
} // namespace curvix
