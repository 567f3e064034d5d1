#include <benchmark/benchmark.h>

#include "BenchDesigns.h"
#include "CrystalFormulas.h"

namespace trellon::bench {
namespace {

// One solve and level a little above Fo, where the pass band of every design lies.
template <bool Reference>
void solveOnce(benchmark::State& state) {
    const auto engine = designedEngine(static_cast<int>(state.range(0)), 1);
    const double omega = (engine->state.Fo * 1000 + 1500) * kTwoPi;
    for (auto _ : state) {
        const bool ok =
            Reference ? engine->solver.solveReference(omega) : engine->solver.solve(omega);
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(engine->solver.computeOutputLevel());
    }
}

void BM_SolveFast(benchmark::State& state) {
    solveOnce<false>(state);
}
void BM_SolveReference(benchmark::State& state) {
    solveOnce<true>(state);
}

BENCHMARK(BM_SolveFast)->DenseRange(1, 7);
BENCHMARK(BM_SolveReference)->DenseRange(1, 7);

}  // namespace
}  // namespace trellon::bench
