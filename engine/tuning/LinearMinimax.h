#pragma once

#include <vector>

namespace trellon {

// The step of least worst deviation of a linear model: deviations d + J dx, of which the common
// offset is free, each dx[i] within [lowest[i], highest[i]] (lowest <= 0 <= highest).
struct LinearMinimax {
    std::vector<double> step;  // dx
    double worst = 0;          // the model's half range of deviations after the step
};

// Solved as a linear programme by the simplex method. `slopes` holds a row per deviation.
LinearMinimax linearMinimax(const std::vector<double>& deviations,
                            const std::vector<std::vector<double>>& slopes,
                            const std::vector<double>& lowest, const std::vector<double>& highest);

}  // namespace trellon
