#pragma once

#include <atomic>
#include <functional>
#include <optional>

#include "CircuitTuning.h"
#include "RetrimSpace.h"
#include "TuningMeasures.h"

namespace trellon {

// A tuning with its measure (dB).
struct MeasuredTuning {
    CircuitTuning tuning;
    double measure = 0;
};

// `tuning` with every capacitor of the space's groups and every trimmer plainly rounded to the
// bench's series as the bench rounds (a trimmer to a single value within the range).
CircuitTuning roundedTuning(const RetrimSpace& space, const CircuitTuning& tuning,
                            const BenchSettings& settings);

// Coordinate descent over standard values from `from`: for every group of capacitors and every
// trimmer, its neighbours one step down and up in the series (single values, and parallel pairs
// when the bench allows them; a trimmer also short, and from short the largest in the range) are
// measured, the best improvement of them all is taken, until none improves. Never returns worse
// than `from`; nothing when cancelled.
std::optional<MeasuredTuning> standardDescent(const RetrimSpace& space, MeasuredTuning from,
                                              TuningMeasures& measures,
                                              const std::function<void(double)>& progress,
                                              std::atomic<bool>& cancel);

}  // namespace trellon
