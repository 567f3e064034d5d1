#pragma once

#include <functional>
#include <optional>
#include <vector>

namespace trellon {

// The values of a function at several points, in order; nothing when cancelled.
using PointValues =
    std::function<std::optional<std::vector<double>>(const std::vector<std::vector<double>>&)>;

struct SearchPoint {
    std::vector<double> x;
    double value = 0;
};

struct PatternSearchSettings {
    double startStep = 0.05;
    double endStep = 1e-4;
    std::vector<double> lowest;  // bounds of each coordinate
    std::vector<double> highest;
};

// A deterministic pattern search for a minimum of a function that need not be smooth (a worst
// deviation): it polls one step either way along every coordinate (all at once, so that they may
// be evaluated in parallel), moves to the best point that improves and then tries the same move
// once more, and halves the step when none improves, down to `endStep`. Coordinates stay within
// their bounds. Reports the share of the step's way down through `progress`. Never returns a
// point worse than `start`; nothing when cancelled.
std::optional<SearchPoint> patternSearch(const PointValues& values, SearchPoint start,
                                         const PatternSearchSettings& settings,
                                         const std::function<void(double)>& progress);

}  // namespace trellon
