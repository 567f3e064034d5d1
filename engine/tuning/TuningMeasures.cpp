#include "TuningMeasures.h"

#include <cmath>

#include "CommandError.h"
#include "ParallelTasks.h"

namespace trellon {

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

double TuningMeasures::measure(const CircuitTuning& tuning, ShapeMeasure& measure) const {
    try {
        const double deviation =
            measure(tunedBenchCircuit(bench_, tuning, settings_).circuit).deviation;
        return std::isfinite(deviation) ? deviation : HUGE_VAL;
    } catch (const CommandError&) {
        return HUGE_VAL;
    }
}

double TuningMeasures::operator()(const CircuitTuning& tuning) {
    return measure(tuning, *measures_.front());
}

std::optional<std::vector<double>> TuningMeasures::operator()(
    const std::vector<CircuitTuning>& tunings, std::atomic<bool>& cancel) {
    std::vector<double> values(tunings.size(), HUGE_VAL);
    const bool done = runParallelTasks(
        tunings.size(), threads_,
        [&](std::size_t index, int worker) {
            values[index] = measure(tunings[index], *measures_[static_cast<std::size_t>(worker)]);
        },
        nullptr, cancel);
    if (!done) {
        return std::nullopt;
    }
    return values;
}

}  // namespace trellon
