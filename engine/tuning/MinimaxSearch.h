#pragma once

#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "ShapeFit.h"

namespace trellon {

// A point of the search and the fit of the circuit it stands for.
struct MinimaxPoint {
    std::vector<double> x;
    ShapeFit fit;
};

// What the search asks of the circuit: the full fit of points, and the level deviations of
// points at given shifts (Hz); each nothing when cancelled. Each batch may run in parallel.
struct MinimaxProblem {
    std::function<std::optional<std::vector<ShapeFit>>(const std::vector<std::vector<double>>&)>
        fits;
    std::function<std::optional<std::vector<std::vector<double>>>(
        const std::vector<std::pair<std::vector<double>, double>>&)>
        deviations;
    std::vector<double> lowest;  // bounds of each coordinate
    std::vector<double> highest;
    double shiftStepHz = 1;  // how far the shift may move in one step
};

// A search for the point of least worst deviation by sequential linear programming in a trust
// region: at the present point it takes the deviations and their slopes (forward differences
// in every coordinate, and in the shift), finds the step within the region that minimises the
// linearised worst deviation after the best offset (LinearMinimax), and takes it when the full
// fit improves, widening the region when the model predicted well; otherwise it narrows the
// region. It stops when the region is below `lastRadius` or the model sees no improvement.
// Deterministic; never returns a point worse than `start`; nothing when cancelled.
std::optional<MinimaxPoint> minimaxSearch(const MinimaxProblem& problem, MinimaxPoint start,
                                          double firstRadius, double lastRadius,
                                          const std::function<void(double)>& progress);

}  // namespace trellon
