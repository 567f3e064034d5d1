#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

#include "BuiltCircuit.h"
#include "CalculatedDesign.h"
#include "CurveFigures.h"
#include "ParallelTasks.h"
#include "SettingTables.h"
#include "YieldTargets.h"

namespace trellon {

// How far the parts of each sample stray from the circuit as built.
struct PartSpread {
    // standard deviation of each crystal's series frequency
    double sigmaFsHz = settings::kSigmaFs.defaultValue;
    // standard deviations of Lm, Rm and C0, per cent
    double sigmaLmPercent = settings::kSigmaLm.defaultValue;
    double sigmaRmPercent = settings::kSigmaRm.defaultValue;
    double sigmaC0Percent = settings::kSigmaC0.defaultValue;
    // each capacitor uniform within +- this
    double capacitorTolerancePercent = settings::kCapTolerance.defaultValue;
    // fixed capacitance added at each node that has a shunt capacitor
    double strayPf = settings::kSpreadStray.defaultValue;

    bool operator==(const PartSpread&) const = default;
};

// samples x gridPoints fits settings::kMaxSampledLevels.
struct MonteCarloSettings {
    int samples = settings::wholeDefault(settings::kSamples);
    // from the ideal traced band widened by half its width on each side
    int gridPoints = settings::wholeDefault(settings::kGridPoints);
    std::uint64_t seed = settings::wholeDefault(settings::kSeed);
    int threads = settings::wholeDefault(settings::kThreads);  // 0: one per core
    int histogramBins = 20;
    PartSpread spread;
    YieldTargets targets;
};

// Counts of values in bins: counts[i] lies from edges[i] to edges[i + 1], the last bin closed.
// All values equal give one bin with equal edges.
struct Histogram {
    std::vector<double> edges;
    std::vector<int> counts;
};

// Nearest-rank percentiles: the value at rank ceil(p/100 * K) of the K sorted values.
struct Percentiles {
    double p5 = 0;
    double p50 = 0;
    double p95 = 0;
};

struct MonteCarloResult {
    int samples = 0;
    std::vector<double> frequenciesHz;  // the grid
    // Envelopes of the load voltage level (dB, for the 1 V source) per grid point.
    std::vector<double> p5Db;
    std::vector<double> p50Db;
    std::vector<double> p95Db;
    Histogram
        bandwidth;     // Hz, at the level, from each sample's curve on the grid (cut at its ends)
    Histogram ripple;  // dB
    Histogram loss;    // dB: Amin
    Percentiles bandwidthPercentiles;
    Percentiles ripplePercentiles;
    Percentiles lossPercentiles;
    double yield = 0;  // share of the samples that meet the targets, 0..1
    // How many samples miss each target; a sample may miss several.
    int bandwidthMisses = 0;
    int rippleMisses = 0;
    int lossMisses = 0;
    // The ideal filter's figures and the targets as figures, as the samples were held to them.
    CurveFigures ideal;
    TargetLimits limits;
    std::vector<CurveFigures> figures;  // of each sample, in sample order
};

// Runs settings.samples perturbed copies of `circuit` (the circuit as built of `design`) over the
// grid and gathers the envelopes, figures and yield. The parts of sample i are drawn from
// RandomStream(seed, i) in ladder order: per crystal normal deviations of Fs, Lm, Rm and C0, per
// capacitor a uniform one; Cm follows Fs and Lm. A crystal's spurious modes keep their offsets
// from its Fs, and their Lm and Rm take the main arm's ratios; they draw nothing. Returns nothing
// when `cancel` was set before the end. Throws CommandError for settings out of range.
std::optional<MonteCarloResult> RunMonteCarlo(const CalculatedDesign& design,
                                              const BuiltCircuit& circuit,
                                              const MonteCarloSettings& settings,
                                              const ProgressCallback& progress,
                                              std::atomic<bool>& cancel);

// One sample's circuit: `circuit` with the deviations of RandomStream(seed, index).
BuiltCircuit perturbedCircuit(const BuiltCircuit& circuit, const PartSpread& spread,
                              std::uint64_t seed, std::uint64_t index);

}  // namespace trellon
