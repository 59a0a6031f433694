#include "CurveSampler.h"

#include "ExprString.h"
#include "ExpressionEvaluator.h"
#include "SingleFloat.h"
#include "VertexArray.h"

#include <cfloat>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <sstream>

namespace curvix {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

struct SampledRun {
    VertexArray curve;
    std::string reports;  // the engine's
    std::string problems; // the sampler's
};

class CurveSamplerTest : public ::testing::Test {
protected:
    CurveSamplerTest() { engine.SetErrorStream(reports); }

    SampledRun Sample(const ExprString& formula, float first, float last, float step,
                      std::int64_t maxSamples = kMaxCurveSamples) {
        SampledRun run;
        reports.str("");
        std::ostringstream problems;
        SampleCurve(engine, formula, first, last, step, run.curve, problems, maxSamples);
        run.reports = reports.str();
        run.problems = problems.str();
        // The plan, made without the engine, foresees every run exactly.
        const SamplePlan plan = PlanCurveSamples(formula, first, last, step, maxSamples);
        EXPECT_EQ(2 * static_cast<std::size_t>(plan.samples), run.curve.Size());
        EXPECT_EQ(plan.problem.empty() ? "" : SampleProblemLine(plan.problem) + "\n", run.problems);
        EXPECT_EQ(plan.refused, !run.problems.empty() && run.curve.IsEmpty());
        return run;
    }

    std::ostringstream reports;
    ExpressionEvaluator engine;
};

TEST_F(CurveSamplerTest, DefaultSettingsGive200Samples) {
    const SampledRun run = Sample("x", -10.0F, 10.0F, 0.1F);
    ASSERT_EQ(run.curve.Size(), 400U);
    EXPECT_EQ(run.curve[0], -10.0F);
    EXPECT_NEAR(run.curve[398], 9.900003, 1e-6);
    EXPECT_GT(double{run.curve[398]} + double{0.1F}, 10.0);
    std::size_t nearest = 0;
    for (std::size_t i = 0; i < 200; ++i) {
        if (std::fabs(run.curve[2 * i]) < std::fabs(run.curve[2 * nearest])) {
            nearest = i;
        }
        EXPECT_NE(run.curve[2 * i], 10.0F);
    }
    // The sample near 0 lies at about 1.86e-6 and is evaluated as
    // "0.000002", so the formula "x" gives exactly that back.
    EXPECT_NEAR(run.curve[2 * nearest], 1.86e-6, 0.01e-6);
    EXPECT_EQ(run.curve[2 * nearest + 1], 0.000002F);
    EXPECT_EQ(run.problems, "");
    EXPECT_EQ(run.reports, "");
}

TEST_F(CurveSamplerTest, ReversedRangeGivesNoSampleAndNoReport) {
    const SampledRun run = Sample("x", 1.0F, -1.0F, 0.1F);
    EXPECT_TRUE(run.curve.IsEmpty());
    EXPECT_EQ(run.problems, "");
}

TEST_F(CurveSamplerTest, EqualBoundsGiveOneSample) {
    const SampledRun run = Sample("x^2", 3.0F, 3.0F, 0.1F);
    ASSERT_EQ(run.curve.Size(), 2U);
    EXPECT_EQ(run.curve[0], 3.0F);
    EXPECT_EQ(run.curve[1], 9.0F);
}

TEST_F(CurveSamplerTest, EachRunEmptiesTheCurveFirst) {
    SampledRun run = Sample("x", 0.0F, 1.0F, 0.5F);
    std::ostringstream problems;
    SampleCurve(engine, "x", 2.0F, 1.0F, 0.5F, run.curve, problems);
    EXPECT_TRUE(run.curve.IsEmpty());
}

TEST_F(CurveSamplerTest, VariablesPersistAcrossSamplesAndRuns) {
    // "X" is not substituted: the engine lowercases it and reads the
    // variable x, undeclared until a formula assigns it.
    SampledRun run = Sample("X", 0.0F, 1.0F, 0.5F);
    ASSERT_EQ(run.curve.Size(), 6U);
    EXPECT_EQ(run.curve[1], 0.0F);
    const std::string undeclared = "Error: Variable 'x' is undeclared. It is used as 0.0 .\n";
    EXPECT_EQ(run.reports, undeclared + undeclared + undeclared);
    Sample("a=7", 0.0F, 0.0F, 1.0F);
    ExprString assign("X=4");
    engine.Evaluate(assign);
    run = Sample("X+a", 0.0F, 1.0F, 1.0F);
    ASSERT_EQ(run.curve.Size(), 4U);
    EXPECT_EQ(run.curve[1], 11.0F);
    EXPECT_EQ(run.curve[3], 11.0F);
    EXPECT_EQ(run.reports, "");
}

// Every sample must be what the engine makes of the formula copied and
// rewritten with ReplaceAll, with the same reports, in the same order.
TEST_F(CurveSamplerTest, SamplesMatchTheFormulaRewrittenWithReplaceAll) {
    const char* formulas[] = {"x^2",   "2x",   "max", "sin(x)*x^2+3*x", "",    "xx",
                              "x=x+1", "  X ", "|x|", "\xE9x\xFF",      "x-x", "sqrt(x)"};
    const float settings[][3] = {
        {-10.0F, 10.0F, 0.1F}, {-3.0F, 3.0F, 0.7F}, {1e6F, 1.00001e6F, 1.0F}};
    ExpressionEvaluator reference;
    std::ostringstream referenceReports;
    reference.SetErrorStream(referenceReports);
    for (const char* text : formulas) {
        for (const auto& s : settings) {
            const ExprString formula(text);
            referenceReports.str("");
            const SampledRun run = Sample(formula, s[0], s[1], s[2]);
            ASSERT_EQ(run.curve.Size() % 2, 0U);
            for (std::size_t i = 0; i < run.curve.Size(); i += 2) {
                ExprString working = formula;
                working.ReplaceAll("x", ExprString(double{run.curve[i]}));
                const float y = ToSingle(reference.Evaluate(working));
                EXPECT_EQ(std::memcmp(&y, run.curve.Data() + i + 1, sizeof y), 0)
                    << text << " at x = " << run.curve[i];
            }
            EXPECT_EQ(run.reports, referenceReports.str()) << text;
        }
    }
}

TEST_F(CurveSamplerTest, FormulaOfWideUnitsIsRewrittenLikeReplaceAll) {
    // Units that no 8-bit text gives (0x0178 is not 'x').
    const ExprString::Unit units[] = {'x', 0x0178, '+', 'x', 0x00E9};
    const ExprString formula = ExprString::FromUnits(units, 5);
    ExpressionEvaluator reference;
    std::ostringstream referenceReports;
    reference.SetErrorStream(referenceReports);
    const SampledRun run = Sample(formula, -1.0F, 1.0F, 1.0F);
    ASSERT_EQ(run.curve.Size(), 6U);
    for (std::size_t i = 0; i < 6; i += 2) {
        ExprString working = formula;
        working.ReplaceAll("x", ExprString(double{run.curve[i]}));
        EXPECT_EQ(run.curve[i + 1], ToSingle(reference.Evaluate(working)));
    }
    EXPECT_EQ(run.reports, referenceReports.str());
}

TEST_F(CurveSamplerTest, ValuesBeyondSinglePrecisionBecomeInfinite) {
    const SampledRun run = Sample("10^39-x", 0.0F, 0.0F, 1.0F);
    ASSERT_EQ(run.curve.Size(), 2U);
    EXPECT_EQ(run.curve[1], kInf);
}

struct HostileCase {
    const char* name;
    float first, last, step;
    std::size_t samples;
    const char* problem; // start of the reason, or "" for no report
};

TEST_F(CurveSamplerTest, HostileSettingsEndWithADefinedOutcome) {
    const HostileCase cases[] = {
        {"step 0", -10.0F, 10.0F, 0.0F, 0, "the step 0 is not"},
        {"negative step", -10.0F, 10.0F, -0.1F, 0, "the step -0.1 is not"},
        {"negative zero step", -10.0F, 10.0F, -0.0F, 0, "the step -0 is not"},
        {"NaN step", -10.0F, 10.0F, kNaN, 0, "the step nan is not"},
        {"infinite step", -10.0F, 10.0F, kInf, 0, "the step inf is not"},
        {"NaN start", kNaN, 10.0F, 0.1F, 0, "the x range nan to 10 is not finite"},
        {"NaN end", 0.0F, kNaN, 0.1F, 0, "the x range 0 to nan is not finite"},
        {"infinite range", -kInf, kInf, 1.0F, 0, "the x range -inf to inf is not finite"},
        {"infinite end", 0.0F, kInf, 1.0F, 0, "the x range 0 to inf is not finite"},
        {"infinite start after end", kInf, 0.0F, 1.0F, 0, ""},
        {"too many samples", -1e6F, 1e6F, 0.1F, 0, "the range and step give more than 10000000"},
        {"tiny step", -10.0F, 10.0F, 1e-30F, 0, "the range and step give more than 10000000"},
        {"denormal step", 0.0F, 1.0F, 1e-45F, 0, "the range and step give more than 10000000"},
        {"step that does not move x", 1e8F, 100000008.0F, 1.0F, 1,
         "the step 1 is too small to move x beyond 1e+08"},
        {"whole float range", -FLT_MAX, FLT_MAX, FLT_MAX, 3, ""},
        {"exactly the limit", 1.0F, 10000000.0F, 1.0F, 10000000, ""},
    };
    for (const auto& c : cases) {
        if (c.samples > 1000 && std::getenv("CURVIX_SLOW_TESTS") == nullptr) {
            continue; // ten million evaluations: run on request only
        }
        const SampledRun run = Sample("x", c.first, c.last, c.step);
        EXPECT_EQ(run.curve.Size(), 2 * c.samples) << c.name;
        if (*c.problem == '\0') {
            EXPECT_EQ(run.problems, "") << c.name;
        } else {
            const std::string prefix = std::string("Error: Cannot sample the curve: ") + c.problem;
            EXPECT_EQ(run.problems.rfind(prefix, 0), 0U) << c.name << ": " << run.problems;
            EXPECT_EQ(std::count(run.problems.begin(), run.problems.end(), '\n'), 1) << c.name;
            EXPECT_EQ(run.problems.back(), '\n') << c.name;
        }
    }
}

TEST_F(CurveSamplerTest, RunThatDriftsPastTheLimitStopsThere) {
    // Near 131072 a float moves in steps of 1/64, so adding 0.1 adds only
    // 0.09375: 1001 samples expected, about 1067 needed.
    const SampledRun run = Sample("x", 131072.0F, 131172.0F, 0.1F, 1002);
    EXPECT_EQ(run.curve.Size(), 2004U);
    EXPECT_EQ(run.problems.rfind("Error: Cannot sample the curve: stopped after 1002 samples", 0),
              0U)
        << run.problems;
    EXPECT_TRUE(PlanCurveSamples(ExprString("x"), 131072.0F, 131172.0F, 0.1F, 1002).tooManySamples);
    const SampledRun unbounded = Sample("x", 131072.0F, 131172.0F, 0.1F, 2000);
    EXPECT_GT(unbounded.curve.Size(), 2004U);
    EXPECT_EQ(unbounded.problems, "");
}

} // namespace
} // namespace curvix
