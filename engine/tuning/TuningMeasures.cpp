#include "TuningMeasures.h"

#include <cmath>

#include "CommandError.h"
#include "ParallelTasks.h"

namespace trellon {

namespace {

// The circuit of `bench` tuned, or nothing when it refuses the tuning.
std::optional<BuiltCircuit> tunedCircuit(const BenchCircuit& bench, const CircuitTuning& tuning,
                                         const BenchSettings& settings) {
    try {
        return tunedBenchCircuit(bench, tuning, settings).circuit;
    } catch (const CommandError&) {
        return std::nullopt;
    }
}

}  // namespace

TuningMeasures::TuningMeasures(const CalculatedDesign& design, const BenchCircuit& bench,
                               const BenchSettings& settings, int points, int threads)
    : bench_(bench),
      settings_(settings),
      grid_(design, points, ChoiceMeasure::Shape),
      threads_(taskThreads(threads, 1 << 20)) {
    for (int i = 0; i < threads_; ++i) {
        measures_.push_back(std::make_unique<ShapeMeasure>(grid_));
    }
}

TuningMeasures::~TuningMeasures() = default;

ShapeFit TuningMeasures::fit(const CircuitTuning& tuning, ShapeMeasure& measure) const {
    const std::optional<BuiltCircuit> circuit = tunedCircuit(bench_, tuning, settings_);
    if (!circuit) {
        return {HUGE_VAL, 0, 0};
    }
    ShapeFit fit = measure(*circuit);
    if (!std::isfinite(fit.deviation)) {
        fit.deviation = HUGE_VAL;
    }
    return fit;
}

bool TuningMeasures::run(std::size_t tasks,
                         const std::function<void(std::size_t, ShapeMeasure&)>& task,
                         std::atomic<bool>& cancel) {
    return runParallelTasks(
        tasks, threads_,
        [&](std::size_t index, int worker) {
            task(index, *measures_[static_cast<std::size_t>(worker)]);
        },
        nullptr, cancel);
}

double TuningMeasures::operator()(const CircuitTuning& tuning) {
    return fit(tuning, *measures_.front()).deviation;
}

std::optional<std::vector<ShapeFit>> TuningMeasures::fits(const std::vector<CircuitTuning>& tunings,
                                                          std::atomic<bool>& cancel) {
    std::vector<ShapeFit> found(tunings.size());
    const auto task = [&](std::size_t index, ShapeMeasure& measure) {
        found[index] = fit(tunings[index], measure);
    };
    if (!run(tunings.size(), task, cancel)) {
        return std::nullopt;
    }
    return found;
}

std::optional<std::vector<double>> TuningMeasures::operator()(
    const std::vector<CircuitTuning>& tunings, std::atomic<bool>& cancel) {
    const std::optional<std::vector<ShapeFit>> found = fits(tunings, cancel);
    if (!found) {
        return std::nullopt;
    }
    std::vector<double> values;
    for (const ShapeFit& f : *found) {
        values.push_back(f.deviation);
    }
    return values;
}

std::optional<std::vector<std::vector<double>>> TuningMeasures::deviations(
    const std::vector<std::pair<CircuitTuning, double>>& shifted, std::atomic<bool>& cancel) {
    std::vector<std::vector<double>> found(
        shifted.size(), std::vector<double>(grid_.frequenciesHz.size(), std::nan("")));
    const auto task = [&](std::size_t index, ShapeMeasure& measure) {
        if (const std::optional<BuiltCircuit> circuit =
                tunedCircuit(bench_, shifted[index].first, settings_)) {
            measure.prepare(*circuit);
            measure.deviationsAt(shifted[index].second, found[index]);
        }
    };
    if (!run(shifted.size(), task, cancel)) {
        return std::nullopt;
    }
    return found;
}

}  // namespace trellon
