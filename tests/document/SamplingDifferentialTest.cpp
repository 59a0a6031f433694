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

// Both paths, each on its own engine kept from run to run.
class BothPaths {
public:
    // Samples along both paths; false (with a failure) when they differ.
    bool Sample(const ExprString& formula, float first, float last, float step) {
        SampleCurveTextual(m_textual.engine, formula, first, last, step, m_textual.curve,
                           m_textual.problems);
        SampleCurve(m_compiled.engine, formula, first, last, step, m_compiled.curve,
                    m_compiled.problems);
        samples += static_cast<std::int64_t>(m_textual.curve.Size() / 2);
        const VertexArray& a = m_textual.curve;
        const VertexArray& b = m_compiled.curve;
        const bool same = a.Size() == b.Size() &&
                          std::equal(a.Data(), a.Data() + a.Size(), b.Data(), [](float p, float q) {
                              return test::Bits(p) == test::Bits(q);
                          });
        const std::string expected = m_textual.Drain();
        const std::string actual = m_compiled.Drain();
        if (same && expected == actual) {
            return true;
        }
        std::string text;
        for (int i = 0; i < formula.Length(); ++i) {
            text.push_back(static_cast<char>(formula.At(i) & 0xFF));
        }
        ADD_FAILURE() << ::testing::PrintToString(text) << " from " << first << " to " << last
                      << " step " << step << (same ? "" : ", curves differ")
                      << "\n textual:  " << expected << "\n compiled: " << actual;
        return false;
    }
    std::int64_t samples = 0;

private:
    Path m_textual;
    Path m_compiled;
};

TEST(SamplingDifferentialTest, CompiledSamplesMatchTextualSamples) {
    FormulaGenerator generator(15);
    std::mt19937 random(15);
    BothPaths paths;
    int failures = 0;
    for (int run = 0; paths.samples < kSamples && failures < 20; ++run) {
        const std::string formula =
            run % 40 == 39 ? generator.WithXNearTokenLimit() : generator.WithX();
        float first = 0;
        float last = 0;
        float step = 0;
        NextRange(random, formula.size() > 100, first, last, step);
        const ExprString text(formula.data(), static_cast<int>(formula.size()));
        failures += paths.Sample(text, first, last, step) ? 0 : 1;
    }
    EXPECT_GE(paths.samples, kSamples);
}

// Named cases, in order on the same engines: what follows sees earlier
// assignments.
TEST(SamplingDifferentialTest, CasesWhereXsTextMatters) {
    const ExprString::Unit zero[] = {'x', '+', 0, '1'};     // sampled textually
    const ExprString::Unit wide[] = {'x', 0x178, '+', 'x'}; // 0x178 is no x
    std::string tokens127 = "1";                            // 127 tokens at x >= 0, 190 below
    for (int i = 0; i < 63; ++i) {
        tokens127 += "*x";
    }
    const struct {
        ExprString formula;
        float first, last, step;
    } kCases[] = {
        {"2x", -3, 3, 1},
        {"x2+x.5-.x*x.", -3, 3, 1.5},
        {"xx+1.x", -2, 2, 1},
        {"ma=x", 1, 1, 1},
        {"max+xmax", -2, 2, 1},
        {"1/x+2:x", -1, 1, 0.5},
        {"x*y+foo(x)", -1, 1, 1},
        {"a=a+x", 0, 2, 1},
        {"a=a+x", 0, 2, 1},
        {"(rad=x)+sin(x)", -1, 1, 1},
        {"10^x^x+cot(x-x)", 300, 310, 5},
        {"-x", -1e-7F, 1e-7F, 5e-8F},
        {tokens127.c_str(), -1, 1, 1},
        {"sqrt(x)+|x|", -2, 2, 1},
        {ExprString::FromUnits(zero, 4), -1, 1, 1},
        {ExprString::FromUnits(wide, 4), -1, 1, 1},
    };
    BothPaths paths;
    for (const auto& c : kCases) {
        paths.Sample(c.formula, c.first, c.last, c.step);
    }
}

} // namespace
} // namespace curvix::testing
