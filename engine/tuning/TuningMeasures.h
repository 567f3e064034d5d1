#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "BenchCircuit.h"
#include "CalculatedDesign.h"
#include "CircuitTuning.h"
#include "ShapeMeasure.h"

namespace trellon {

// The shape measure (dB) of the filter as placed and fitted with one tuning or another, over
// several threads, each with a solver of its own. A tuning the circuit refuses measures as
// infinitely bad. The measures do not depend on the thread count.
class TuningMeasures {
public:
    TuningMeasures(const CalculatedDesign& design, const BenchCircuit& bench,
                   const BenchSettings& settings, int points, int threads);
    ~TuningMeasures();

    // One measure, on the caller's thread.
    double operator()(const CircuitTuning& tuning);

    // The measure of each tuning, in order; nothing when `cancel` was set.
    std::optional<std::vector<double>> operator()(const std::vector<CircuitTuning>& tunings,
                                                  std::atomic<bool>& cancel);

    // The full fit of each tuning, in order; nothing when `cancel` was set.
    std::optional<std::vector<ShapeFit>> fits(const std::vector<CircuitTuning>& tunings,
                                              std::atomic<bool>& cancel);

    // The level deviations of each tuning at the measure's frequencies moved by its shift (Hz);
    // all not a number for a tuning the circuit refuses. Nothing when `cancel` was set.
    std::optional<std::vector<std::vector<double>>> deviations(
        const std::vector<std::pair<CircuitTuning, double>>& shifted, std::atomic<bool>& cancel);

    const ShapeGrid& grid() const { return grid_; }
    const BenchCircuit& bench() const { return bench_; }
    const BenchSettings& settings() const { return settings_; }

private:
    ShapeFit fit(const CircuitTuning& tuning, ShapeMeasure& measure) const;
    bool run(std::size_t tasks, const std::function<void(std::size_t, ShapeMeasure&)>& task,
             std::atomic<bool>& cancel);

    const BenchCircuit& bench_;
    const BenchSettings& settings_;
    ShapeGrid grid_;
    int threads_;
    std::vector<std::unique_ptr<ShapeMeasure>> measures_;
};

}  // namespace trellon
