#include "CurveSampler.h"

#include "CompiledFormula.h"
#include "ExprString.h"
#include "ExpressionEvaluator.h"
#include "NumberText.h"
#include "SingleFloat.h"
#include "VertexArray.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <ostream>
#include <string>
#include <vector>

namespace curvix {

namespace {

std::string FloatText(float value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

void Report(std::ostream& errors, const std::string& reason) {
    errors << SampleProblemLine(reason) << '\n' << std::flush;
}

// Builds "formula with every lowercase x replaced by a value text" into one
// reused buffer. The result is exactly what copying the formula and calling
// ReplaceAll("x", value) gives: the value text never contains an x, so
// ReplaceAll's scan, which resumes at the inserted text, passes over it and
// replaces each x of the formula once. The formula's units are sign-widened
// bytes, so its 8-bit copy widens back to the same units and a byte 'x' is
// exactly the unit 'x'. A formula with other units takes the slow path.
class Substitution {
public:
    explicit Substitution(const ExprString& formula) : m_formula(formula) {
        m_text.reserve(static_cast<std::size_t>(formula.Length()));
        for (int i = 0; i < formula.Length(); ++i) {
            const ExprString::Unit unit = formula.At(i);
            const auto byte = static_cast<char>(unit & 0xFF);
            const auto widened = static_cast<ExprString::Unit>(
                static_cast<std::int16_t>(static_cast<signed char>(byte)));
            m_narrow = m_narrow && widened == unit;
            if (byte == 'x') {
                m_occurrences.push_back(m_text.size());
            }
            m_text.push_back(byte);
        }
    }

    void Apply(const char* value, std::size_t valueLength, ExprString& working) {
        if (!m_narrow) {
            working = m_formula;
            working.ReplaceAll(ExprString("x"), ExprString(value, static_cast<int>(valueLength)));
            return;
        }
        // resize reuses the buffer's storage once it has grown to fit.
        m_buffer.resize(m_text.size() + m_occurrences.size() * (valueLength - 1));
        char* out = m_buffer.data();
        std::size_t start = 0;
        for (const std::size_t at : m_occurrences) {
            out = std::copy(m_text.data() + start, m_text.data() + at, out);
            out = std::copy(value, value + valueLength, out);
            start = at + 1;
        }
        std::copy(m_text.data() + start, m_text.data() + m_text.size(), out);
        working.AssignNarrow(m_buffer.data(), static_cast<int>(m_buffer.size()));
    }

private:
    const ExprString& m_formula;
    bool m_narrow = true;
    std::vector<std::size_t> m_occurrences; // positions of 'x' in m_text
    std::string m_text;
    std::string m_buffer;
};

// Whether every rewritten text fits an ExprString's length.
bool RewrittenTextFits(const ExprString& formula) {
    long long occurrences = 0;
    for (int i = 0; i < formula.Length(); ++i) {
        occurrences += (formula.At(i) & 0xFF) == 'x' ? 1 : 0;
    }
    return formula.Length() + occurrences * static_cast<long long>(kFixedSixMaxChars) <= INT_MAX;
}

// Why settings are refused before any sample is taken, or "". tooMany
// tells that the reason is the number of samples.
std::string RefusalReason(const ExprString& formula, float first, float last, float step,
                          std::int64_t maxSamples, bool& tooMany) {
    tooMany = false;
    if (!std::isfinite(first) || !std::isfinite(last)) {
        return "the x range " + FloatText(first) + " to " + FloatText(last) + " is not finite";
    }
    if (!std::isfinite(step) || step <= 0.0F) {
        return "the step " + FloatText(step) + " is not a positive finite number";
    }
    const double expected = (double{last} - double{first}) / double{step} + 1.0;
    if (expected > static_cast<double>(maxSamples)) {
        tooMany = true;
        return "the range and step give more than " + std::to_string(maxSamples) + " samples";
    }
    if (!RewrittenTextFits(formula)) {
        return "the formula is too long";
    }
    return std::string();
}

// The sampling loop of every path: takeSample(x) is called once per sample.
// The x values come from single-precision accumulation; the end test
// compares the double sum x + step. Returns why the run stopped early, or
// "" when it passed last.
template <typename TakeSample>
std::string RunSamples(float first, float last, float step, std::int64_t maxSamples,
                       TakeSample&& takeSample) {
    float x = first;
    for (std::int64_t samples = 0;; ++samples) {
        if (samples == maxSamples) {
            return "stopped after " + std::to_string(maxSamples) +
                   " samples at x = " + FloatText(x);
        }
        takeSample(x);
        const double sum = double{x} + double{step};
        if (sum > double{last}) {
            return std::string();
        }
        // sum <= last here, so it is within the float range.
        const auto next = static_cast<float>(sum);
        if (next <= x) {
            return "the step " + FloatText(step) + " is too small to move x beyond " + FloatText(x);
        }
        x = next;
    }
}

// Empties curve and checks the settings. Returns the number of samples to
// expect, or 0 when none are to be taken (reported where that is a fault).
double PrepareRun(const ExprString& formula, float first, float last, float step,
                  VertexArray& curve, std::ostream& errors, std::int64_t maxSamples) {
    curve.Clear();
    if (first > last) {
        return 0.0;
    }
    bool tooMany = false;
    const std::string refusal = RefusalReason(formula, first, last, step, maxSamples, tooMany);
    if (!refusal.empty()) {
        Report(errors, refusal);
        return 0.0;
    }
    const double expected = (double{last} - double{first}) / double{step} + 1.0;
    // Reserved once for the whole run: expected is at most maxSamples.
    curve.Reserve(2 * (static_cast<std::size_t>(expected) + 1));
    return expected;
}

// Samples into curve with yAt giving the engine's value at x.
template <typename YAt>
void RunCurve(float first, float last, float step, VertexArray& curve, std::ostream& errors,
              std::int64_t maxSamples, YAt&& yAt) {
    const std::string stop = RunSamples(first, last, step, maxSamples, [&](float x) {
        const float y = ToSingle(yAt(x));
        curve.Append(x);
        curve.Append(y);
    });
    if (!stop.empty()) {
        Report(errors, stop);
    }
}

void RunTextualSamples(ExpressionEvaluator& engine, const ExprString& formula, float first,
                       float last, float step, VertexArray& curve, std::ostream& errors,
                       std::int64_t maxSamples) {
    Substitution substitution(formula);
    ExprString working;
    char value[kFixedSixMaxChars];
    RunCurve(first, last, step, curve, errors, maxSamples, [&](float x) {
        substitution.Apply(value, FormatFixedSix(double{x}, value), working);
        return engine.Evaluate(working);
    });
}

} // namespace

void SampleCurveTextual(ExpressionEvaluator& engine, const ExprString& formula, float first,
                        float last, float step, VertexArray& curve, std::ostream& errors,
                        std::int64_t maxSamples) {
    if (PrepareRun(formula, first, last, step, curve, errors, maxSamples) > 0.0) {
        RunTextualSamples(engine, formula, first, last, step, curve, errors, maxSamples);
    }
}

void SampleCurve(ExpressionEvaluator& engine, const ExprString& formula, float first, float last,
                 float step, VertexArray& curve, std::ostream& errors, std::int64_t maxSamples) {
    if (PrepareRun(formula, first, last, step, curve, errors, maxSamples) <= 0.0) {
        return;
    }
    CompiledFormula compiled(engine, formula);
    if (!compiled.IsUsable()) {
        RunTextualSamples(engine, formula, first, last, step, curve, errors, maxSamples);
        return;
    }
    RunCurve(first, last, step, curve, errors, maxSamples,
             [&compiled](float x) { return compiled.Evaluate(x); });
}

SamplePlan PlanCurveSamples(const ExprString& formula, float first, float last, float step,
                            std::int64_t maxSamples) {
    SamplePlan plan;
    if (first > last) {
        return plan;
    }
    plan.problem = RefusalReason(formula, first, last, step, maxSamples, plan.tooManySamples);
    plan.refused = !plan.problem.empty();
    if (!plan.refused) {
        plan.problem =
            RunSamples(first, last, step, maxSamples, [&plan](float) { ++plan.samples; });
        plan.tooManySamples = !plan.problem.empty() && plan.samples == maxSamples;
    }
    return plan;
}

std::string SampleProblemLine(const std::string& problem) {
    return kSampleProblemPrefix + problem;
}

} // namespace curvix
