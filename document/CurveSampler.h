#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

namespace curvix {

class ExprString;
class ExpressionEvaluator;
class VertexArray;

// Upper bound on the samples of one run, so that sampling always ends and
// its memory stays bounded (two floats per sample).
inline constexpr std::int64_t kMaxCurveSamples = 10'000'000;

// Samples formula from first while x does not pass last, in steps of step,
// into curve (x0, y0, x1, y1, ...). Per sample every lowercase "x" of the
// formula is replaced by the six-decimal text of x and the text is
// evaluated afresh by engine, whose variables persist. x accumulates in
// single precision; the end test compares the double sum x + step.
//
// first > last gives an empty curve silently. Settings under which the
// loop could not end (step not positive or not finite, bounds not finite,
// more than maxSamples samples expected) give an empty curve and one line
// "Error: Cannot sample the curve: <reason>" on errors; a run that still
// reaches maxSamples, or whose x stops moving, ends there with the same
// kind of line and keeps the samples taken.
//
// The formula is prepared once per run (CompiledFormula) and each sample
// replays it: the same curve and reports as SampleCurveTextual, faster.
void SampleCurve(ExpressionEvaluator& engine, const ExprString& formula, float first, float last,
                 float step, VertexArray& curve, std::ostream& errors,
                 std::int64_t maxSamples = kMaxCurveSamples);

// The same, rewriting and evaluating the formula's text for every sample:
// the reference that SampleCurve must agree with bit for bit.
void SampleCurveTextual(ExpressionEvaluator& engine, const ExprString& formula, float first,
                        float last, float step, VertexArray& curve, std::ostream& errors,
                        std::int64_t maxSamples = kMaxCurveSamples);

// What a run will do with these settings, found without evaluating the
// formula: the same checks and the same single-precision steps as the
// sampler, so that a caller can refuse before drawing anything.
struct SamplePlan {
    std::int64_t samples = 0;    // samples the run takes
    std::string problem;         // the reason the sampler would report, or ""
    bool refused = false;        // true: no sample at all; false with a problem: cut short
    bool tooManySamples = false; // refused or cut short for passing maxSamples
};
SamplePlan PlanCurveSamples(const ExprString& formula, float first, float last, float step,
                            std::int64_t maxSamples = kMaxCurveSamples);

// The sampler's one line for a problem, without its line feed.
inline constexpr const char* kSampleProblemPrefix = "Error: Cannot sample the curve: ";
std::string SampleProblemLine(const std::string& problem);

} // namespace curvix
