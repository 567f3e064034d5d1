#include <benchmark/benchmark.h>

#include "BenchDesigns.h"

namespace trellon::bench {
namespace {

// Synthesis, sweep and report of the start-up design into views that draw nothing; range(2) 1
// walks one frequency at a time instead of a batch ahead.
void BM_CompleteCalculation(benchmark::State& state) {
    const int topology = static_cast<int>(state.range(0));
    const int response = static_cast<int>(state.range(1));
    auto engine = makeEngine();
    NullViews views;
    CalculationViews calculationViews{views, views, views, views, views};
    CalculationInputs inputs = startUpInputs();
    if (state.range(2) != 0) {
        inputs.sweepEvaluation = SweepEvaluation::OneAtATime;
    }
    for (auto _ : state) {
        engine->state.Topology = topology;
        engine->state.Response = response;
        engine->state.CalcCount = 0;
        benchmark::DoNotOptimize(RunCalculation(*engine, inputs, calculationViews));
    }
    state.counters["points"] = engine->curve.size();
}

BENCHMARK(BM_CompleteCalculation)
    ->ArgsProduct({benchmark::CreateDenseRange(1, 7, 1), {1, 8}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trellon::bench
