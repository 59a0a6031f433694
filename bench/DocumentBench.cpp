// Cost of sampling a curve through the view: about one million samples of
// sin(x)*x^2+3*x, each one rewritten and evaluated afresh.

#include "CurvixDoc.h"
#include "CurvixScene.h"

#include <benchmark/benchmark.h>
#include <sstream>

namespace {

void ComputeCurve(benchmark::State& state, float first, float last, float step,
                  std::size_t samples) {
    curvix::CCurvixDoc doc;
    doc.SetFormula("sin(x)*x^2+3*x");
    doc.GetRange()[0] = first;
    doc.GetRange()[1] = last;
    *doc.GetStep() = step;
    curvix::CCurvixScene view;
    view.SetDocument(&doc);
    view.SetScenePointers(doc.GetRotation(), doc.GetHalfExtents(), doc.GetRange(), doc.GetStep());
    std::ostringstream reports;
    view.GetEvaluator().SetErrorStream(reports);
    for (auto _ : state) {
        view.ComputeCurve();
        benchmark::DoNotOptimize(view.GetVertices().Data());
    }
    if (view.GetVertices().Size() != 2 * samples || !reports.str().empty()) {
        state.SkipWithError("unexpected curve");
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(samples));
}

// The default range with a fine step: 998,718 samples (x drifts in single
// precision), short six-decimal texts.
BENCHMARK_CAPTURE(ComputeCurve, default_range, -10.0F, 10.0F, 2e-5F, 998718)
    ->Unit(benchmark::kMillisecond);
// Whole numbers from -500000 to 499999: exactly 1,000,000 samples with
// longer texts.
BENCHMARK_CAPTURE(ComputeCurve, whole_numbers, -500000.0F, 499999.0F, 1.0F, 1000000)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
