#pragma once

#include <vector>

#include "BuiltFilterSolver.h"
#include "CalculatedDesign.h"

namespace trellon {

// The built curve while the tuning moves: kPoints frequencies evenly over the design's traced
// band widened by half its width on each side, the ideal curve there once, and the circuit solved
// again at each change with one solver kept for the window's life.
class TuningCurve {
public:
    static constexpr int kPoints = 801;

    explicit TuningCurve(const CalculatedDesign& design);

    const std::vector<double>& frequenciesHz() const { return frequenciesHz_; }
    // Load voltage levels for the 1 V source (dB), as BuiltFilterSolver gives them.
    const std::vector<double>& idealLevelsDb() const { return idealLevelsDb_; }
    const std::vector<double>& levelsDb() const { return levelsDb_; }

    // Solves `circuit` at every frequency; throws std::length_error as BuiltFilterSolver.
    const std::vector<double>& solve(const BuiltCircuit& circuit);

private:
    std::vector<double> frequenciesHz_;
    std::vector<double> idealLevelsDb_;
    std::vector<double> levelsDb_;
    BuiltFilterSolver solver_;
};

}  // namespace trellon
