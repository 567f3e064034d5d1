#include <benchmark/benchmark.h>

#include <vector>

#include "BatchSolver.h"
#include "BenchDesigns.h"
#include "CrystalFormulas.h"
#include "GridSolve.h"

namespace trellon::bench {
namespace {

// One batch of adjacent frequencies a little above Fo; the time is per frequency. range(1) 1
// allows the AVX2 registers where the processor has them, 0 keeps to the baseline's.
void BM_BatchSolve(benchmark::State& state) {
    const auto engine = designedEngine(static_cast<int>(state.range(0)), 1);
    BatchSolver::useWideLanes(state.range(1) != 0);
    BatchSolver batch;
    batch.prepare(engine->solver);
    double omega[BatchSolver::kLanes];
    for (int l = 0; l < BatchSolver::kLanes; ++l) {
        omega[l] = (engine->state.Fo * 1000 + 1500 + l) * kTwoPi;
    }
    for (auto _ : state) {
        batch.solve(omega, BatchSolver::kLanes);
        for (int l = 0; l < BatchSolver::kLanes; ++l) {
            benchmark::DoNotOptimize(CircuitSolver::levelOf(batch.loadVoltage(l)));
        }
    }
    state.counters["per_frequency"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * BatchSolver::kLanes,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    BatchSolver::useWideLanes(true);
}

BENCHMARK(BM_BatchSolve)->ArgsProduct({benchmark::CreateDenseRange(1, 7, 1), {0, 1}});

// The 8-crystal CW Chebyshev 1.5 dB circuit over 16,020 frequencies 1 Hz apart, level in dB
// included, on range(0) threads; the time per point is what compares with a circuit simulator.
void BM_GridSolve(benchmark::State& state) {
    const auto engine = designedEngine(7, 8);
    std::vector<double> frequencies(16020);
    for (std::size_t p = 0; p < frequencies.size(); ++p) {
        frequencies[p] = engine->state.Fo * 1000 - 6000 + static_cast<double>(p);
    }
    const int threads = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(SolveGrid(engine->solver, frequencies, threads));
    }
    state.counters["per_point"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * frequencies.size(),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_GridSolve)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace trellon::bench
