// Samples generated formulas over generated ranges along both paths, each
// on its own engine that lives through all runs, and requires the same
// curve bits, the same report bytes and the same variables after every run.
#include "Bits.h"
#include "CurveSampler.h"
#include "ExprString.h"
#include "ExpressionEvaluator.h"
#include "FormulaGenerator.h"
#include "SanitizedBuild.h"
#include "VertexArray.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <iterator>
#include <sstream>

namespace curvix::testing {
namespace {

constexpr std::int64_t kSamples = kSanitizedBuild ? 100'000 : 1'000'000;

struct Path {
    Path() { engine.SetErrorStream(reports); }
    // Reports, sampler lines and variables (names and value bits) since last asked.
    std::string Drain() {
        std::string state = reports.str() + "|" + problems.str() + "|";
        for (const VariableNode* node = engine.FirstVariable(); node; node = node->next.get()) {
            state += ExprString(node->name).ToNarrow() + ("=" + test::Describe(node->value)) + ";";
        }
        reports.str("");
        problems.str("");
        return state;
    }
    std::ostringstream reports;
    std::ostringstream problems;
    ExpressionEvaluator engine;
    VertexArray curve;
};

// Ranges of every magnitude, across 0 or on one side of it, with tiny x
// written as "0.000000" or "-0.000000". Long formulas get few samples: the
// textual path reads all their text every time.
void NextRange(std::mt19937& random, bool longFormula, float& first, float& last, float& step) {
    static constexpr float kScales[] = {1e-7F, 1e-6F, 1e-3F, 0.5F,  1.0F,
                                        10.0F, 1e3F,  1e6F,  1e20F, 1e30F};
    std::uniform_real_distribution<float> unit(-1.0F, 1.0F);
    const float scale = kScales[random() % std::size(kScales)];
    const int count = longFormula          ? 1 + static_cast<int>(random() % 8)
                      : random() % 10 == 0 ? 2000
                                           : 1 + static_cast<int>(random() % 300);
    first = random() % 4 == 0 ? std::round(unit(random) * scale) : unit(random) * scale;
    step = std::fabs(unit(random)) * 2.0F * scale / static_cast<float>(count);
    last = first + step * static_cast<float>(count);
}

TEST(SamplingDifferentialTest, CompiledSamplesMatchTextualSamples) {
    FormulaGenerator generator(15);
    std::mt19937 random(15);
    Path textual;
    Path compiled;
    std::int64_t samples = 0;
    int failures = 0;
    for (int run = 0; samples < kSamples && failures < 20; ++run) {
        const std::string formula =
            run % 40 == 39 ? generator.WithXNearTokenLimit() : generator.WithX();
        float first = 0;
        float last = 0;
        float step = 0;
        NextRange(random, formula.size() > 100, first, last, step);
        const ExprString text(formula.data(), static_cast<int>(formula.size()));
        SampleCurveTextual(textual.engine, text, first, last, step, textual.curve,
                           textual.problems);
        SampleCurve(compiled.engine, text, first, last, step, compiled.curve, compiled.problems);
        samples += static_cast<std::int64_t>(textual.curve.Size() / 2);
        const bool same =
            textual.curve.Size() == compiled.curve.Size() &&
            std::equal(textual.curve.Data(), textual.curve.Data() + textual.curve.Size(),
                       compiled.curve.Data(),
                       [](float a, float b) { return test::Bits(a) == test::Bits(b); });
        const std::string expected = textual.Drain();
        const std::string actual = compiled.Drain();
        if (!same || expected != actual) {
            ++failures;
            ADD_FAILURE() << "run " << run << " " << ::testing::PrintToString(formula) << " from "
                          << first << " to " << last << " step " << step
                          << (same ? "" : ", curves differ") << "\n textual:  " << expected
                          << "\n compiled: " << actual;
        }
    }
    EXPECT_GE(samples, kSamples);
}

} // namespace
} // namespace curvix::testing
