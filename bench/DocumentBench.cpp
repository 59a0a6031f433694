// Cost of sampling a curve through the view: one million samples of
// sin(x)*x^2+3*x, each one rewritten and evaluated afresh.

#include "CurvixDoc.h"
#include "CurvixView.h"

#include <benchmark/benchmark.h>
#include <sstream>

namespace {

void ComputeCurveMillion(benchmark::State& state) {
    curvix::CCurvixDoc doc;
    doc.SetFormula("sin(x)*x^2+3*x");
    // Whole numbers from -500000 to 499999: exactly 1,000,000 samples.
    doc.GetRange()[0] = -500000.0F;
    doc.GetRange()[1] = 499999.0F;
    *doc.GetStep() = 1.0F;
    curvix::CCurvixView view;
    view.SetDocument(&doc);
    view.SetScenePointers(doc.GetRotation(), doc.GetHalfExtents(), doc.GetRange(), doc.GetStep());
    std::ostringstream reports;
    view.GetEvaluator().SetErrorStream(reports);
    for (auto _ : state) {
        view.ComputeCurve();
        benchmark::DoNotOptimize(view.GetVertices().Data());
    }
    if (view.GetVertices().Size() != 2000000 || !reports.str().empty()) {
        state.SkipWithError("unexpected curve");
    }
    state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(ComputeCurveMillion)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
