#include <benchmark/benchmark.h>

#include <vector>

#include "BenchDesigns.h"
#include "CalculatedDesign.h"
#include "CrystalChooser.h"
#include "MeasuredCrystalModel.h"
#include "MonteCarlo.h"
#include "RandomStream.h"

namespace trellon::bench {
namespace {

// The 8-crystal CW Chebyshev 1.5 dB design, calculated through its sweep so that its band is
// known.
std::unique_ptr<Engine> calculatedCwEngine() {
    auto engine = makeEngine();
    engine->state.Topology = 7;
    engine->state.Response = 8;
    NullViews views;
    CalculationViews calculationViews{views, views, views, views, views};
    RunCalculation(*engine, startUpInputs(), calculationViews);
    return engine;
}

// 1000 samples over 801 points with every spread on, on range(0) threads.
void BM_MonteCarlo(benchmark::State& state) {
    const auto engine = calculatedCwEngine();
    MonteCarloSettings settings;
    settings.threads = static_cast<int>(state.range(0));
    settings.spread = {50, 1, 10, 2, 2, 1};
    const auto design = calculatedDesignOf(*engine);
    std::atomic<bool> cancel{false};
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            RunMonteCarlo(*design, design->circuit, settings, nullptr, cancel));
    }
}

BENCHMARK(BM_MonteCarlo)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// 8 of 100 crystals spread +-300 Hz in Fs and +-2 % in Lm, on range(0) threads.
void BM_ChooseCrystals(benchmark::State& state) {
    const auto engine = calculatedCwEngine();
    const auto design = calculatedDesignOf(*engine);
    CrystalBatch batch;
    RandomStream random(1, 0);
    for (int i = 0; i < 100; ++i) {
        MeasuredCrystal crystal = nominalMeasuredCrystal(engine->state, "X" + std::to_string(i));
        crystal.fsKhz += (600 * random.uniform() - 300) / 1000;
        crystal.lmMh *= 1 + 0.04 * random.uniform() - 0.02;
        batch.crystals.push_back(crystal);
    }
    ChoiceSettings settings;
    settings.threads = static_cast<int>(state.range(0));
    std::atomic<bool> cancel{false};
    double measure = 0, naive = 0;
    for (auto _ : state) {
        const auto choice = ChooseCrystals(*design, batch, settings, nullptr, cancel);
        measure = choice->measure;
        naive = choice->naiveMeasure;
    }
    state.counters["measure_db"] = measure;
    state.counters["naive_db"] = naive;
}

BENCHMARK(BM_ChooseCrystals)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace trellon::bench
