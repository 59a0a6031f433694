// Cost of one evaluation of formulas as the curve sampler hands them to the
// engine: "x" already replaced by the six-decimal text of a sample.

#include "ExprString.h"
#include "ExpressionEvaluator.h"
#include "NumberText.h"

#include <benchmark/benchmark.h>
#include <sstream>

namespace {

void EvaluateSample(benchmark::State& state, const char* formula) {
    curvix::ExpressionEvaluator engine;
    std::ostringstream reports;
    engine.SetErrorStream(reports);
    const curvix::ExprString original(formula);
    curvix::ExprString working;
    for (auto _ : state) {
        working = original; // Evaluate normalises its argument in place
        benchmark::DoNotOptimize(engine.Evaluate(working));
    }
}

BENCHMARK_CAPTURE(EvaluateSample, sine_polynomial, "sin(-3.000000)*-3.000000^2+3*-3.000000");
BENCHMARK_CAPTURE(EvaluateSample, root_quotient, "sqrt(-3.000000*-3.000000+1)/(-3.000000+2)");
BENCHMARK_CAPTURE(EvaluateSample, parabola, "-10.000000^2");
BENCHMARK_CAPTURE(EvaluateSample, spaced_capitals, "  SIN( 2.500000 ) * [ 1 + |-2.500000| ]");

void RoundTripFixedSix(benchmark::State& state) {
    double value = 0.123456789;
    for (auto _ : state) {
        value = curvix::RoundTripFixedSix(value * 1.0000001 + 0.37);
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(RoundTripFixedSix);

} // namespace

BENCHMARK_MAIN();
