#include <benchmark/benchmark.h>

#include <vector>

#include "AnyOrderDesign.h"
#include "BuiltFilterSolver.h"
#include "SixteenCrystalLadder.h"

namespace trellon::bench {
namespace {

// Designed with its bandwidth corrected on the simulation, then traced over 4000 points.
void BM_AnyOrderDesignAndTrace16(benchmark::State& state) {
    const AnyOrderInputs inputs = sixteenCrystalLadder();
    std::vector<double> frequencies(4000);
    std::vector<double> levels(frequencies.size());
    BuiltFilterSolver solver;
    for (auto _ : state) {
        const AnyOrderDesign design = designAnyOrder(inputs);
        for (std::size_t i = 0; i < frequencies.size(); ++i) {
            frequencies[i] = design.designFrequencyHz - 4000 + 2.0 * static_cast<double>(i);
        }
        solver.prepare(design.circuit);
        solver.solveLevels(frequencies, levels);
        benchmark::DoNotOptimize(levels.data());
    }
}

BENCHMARK(BM_AnyOrderDesignAndTrace16)->Unit(benchmark::kMillisecond);

// The trace alone, for the share of the design.
void BM_AnyOrderTrace16(benchmark::State& state) {
    const AnyOrderDesign design = designAnyOrder(sixteenCrystalLadder());
    std::vector<double> frequencies(4000);
    std::vector<double> levels(frequencies.size());
    for (std::size_t i = 0; i < frequencies.size(); ++i) {
        frequencies[i] = design.designFrequencyHz - 4000 + 2.0 * static_cast<double>(i);
    }
    BuiltFilterSolver solver;
    for (auto _ : state) {
        solver.prepare(design.circuit);
        solver.solveLevels(frequencies, levels);
        benchmark::DoNotOptimize(levels.data());
    }
}

BENCHMARK(BM_AnyOrderTrace16)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace trellon::bench
