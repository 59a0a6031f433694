// Cost of sampling a curve, along the textual path (every sample's formula
// rewritten and read afresh) and along the compiled path the program uses
// (the formula prepared once per run, each sample replayed).

#include "CurveSampler.h"
#include "ExprString.h"
#include "ExpressionEvaluator.h"
#include "VertexArray.h"

#include <benchmark/benchmark.h>
#include <sstream>

namespace {

using Sampler = void (*)(curvix::ExpressionEvaluator&, const curvix::ExprString&, float, float,
                         float, curvix::VertexArray&, std::ostream&, std::int64_t);

struct Case {
    const char* formula;
    const char* setup; // evaluated once on the engine before sampling
    float first, last, step;
    std::size_t samples;
    bool reports; // whether every sample writes a report
};

// -10 to 10 in steps of 2e-5: 998,718 samples (x drifts in single precision).
constexpr Case kSinXSquared{"sin(x)*x^2+3*x", "", -10.0F, 10.0F, 2e-5F, 998718, false};
// The other cases take 199,874 samples from -10 to 10.
constexpr Case kVariables{"a=0.5a+x*pi-t", "t=a=1", -10.0F, 10.0F, 1e-4F, 199874, false};
constexpr Case kNestedBars{
    "|sin(x)*cos(2x)|-|sqrt(|x|)-atan(x)|", "", -10.0F, 10.0F, 1e-4F, 199874, false};
constexpr Case kUndeclared{"x*y+1", "", -10.0F, 10.0F, 1e-4F, 199874, true};
// "max" is the variable ma times x.
constexpr Case kXInName{"max^2+1", "ma=2", -10.0F, 10.0F, 1e-4F, 199874, false};
constexpr Case kXSquared{"x^2", "", -10.0F, 10.0F, 1e-4F, 199874, false};

void ComputeCurve(benchmark::State& state, Sampler sample, const Case& c) {
    curvix::ExpressionEvaluator engine;
    std::ostringstream reports;
    engine.SetErrorStream(reports);
    curvix::ExprString setup(c.setup);
    engine.Evaluate(setup);
    const curvix::ExprString formula(c.formula);
    curvix::VertexArray curve;
    std::ostringstream problems;
    std::size_t reportBytes = 0;
    for (auto _ : state) {
        reports.str("");
        sample(engine, formula, c.first, c.last, c.step, curve, problems, curvix::kMaxCurveSamples);
        benchmark::DoNotOptimize(curve.Data());
        reportBytes = reports.str().size();
    }
    if (curve.Size() != 2 * c.samples || (reportBytes != 0) != c.reports ||
        !problems.str().empty()) {
        state.SkipWithError("unexpected curve");
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(c.samples));
}

#define CURVIX_SAMPLING_CASE(name, c)                                                              \
    BENCHMARK_CAPTURE(ComputeCurve, Textual / name, curvix::SampleCurveTextual, c)                 \
        ->Name("ComputeCurveTextual/" #name)                                                       \
        ->Unit(benchmark::kMillisecond);                                                           \
    BENCHMARK_CAPTURE(ComputeCurve, Compiled / name, curvix::SampleCurve, c)                       \
        ->Name("ComputeCurveCompiled/" #name)                                                      \
        ->Unit(benchmark::kMillisecond)

CURVIX_SAMPLING_CASE(sin_x_squared, kSinXSquared);
CURVIX_SAMPLING_CASE(variables, kVariables);
CURVIX_SAMPLING_CASE(nested_bars, kNestedBars);
CURVIX_SAMPLING_CASE(undeclared_name, kUndeclared);
CURVIX_SAMPLING_CASE(x_in_name, kXInName);
CURVIX_SAMPLING_CASE(x_squared, kXSquared);

} // namespace

BENCHMARK_MAIN();
