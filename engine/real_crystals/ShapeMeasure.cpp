#include "ShapeMeasure.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "GridSolve.h"

namespace trellon {

namespace {

constexpr double kShiftToleranceHz = 0.01;

}  // namespace

ShapeGrid::ShapeGrid(const CalculatedDesign& design, int points, ChoiceMeasure measure)
    : kind(measure) {
    const TracedBand& band = design.band;
    for (int k = 0; k < points; ++k) {
        frequenciesHz.push_back(band.lowHz() + band.widthHz() * k / (points - 1));
    }
    stepHz = band.widthHz() / (points - 1);
    shiftSteps = (points - 1) / 2;
    for (int k = -shiftSteps; k < points + shiftSteps; ++k) {
        shiftedGridHz.push_back(band.lowHz() + stepHz * k);
    }
    const auto netlist = std::make_unique<Netlist>(design.reference);
    const auto solver = std::make_unique<CircuitSolver>(*netlist);
    solver->prepare();
    for (const GridPoint& point : SolveGrid(*solver, frequenciesHz, 1)) {
        idealLevelsDb.push_back(point.levelDb);
    }
}

ShapeMeasure::ShapeMeasure(const ShapeGrid& grid)
    : grid_(grid),
      frequencies_(grid.frequenciesHz.size()),
      levels_(grid.shiftedGridHz.size()),
      deviations_(grid.frequenciesHz.size()) {}

void ShapeMeasure::deviationsAt(double shiftHz, std::span<double> deviations) {
    const std::size_t count = grid_.frequenciesHz.size();
    for (std::size_t k = 0; k < count; ++k) {
        frequencies_[k] = grid_.frequenciesHz[k] + shiftHz;
    }
    solver_.solveLevels(frequencies_, deviations);
    for (std::size_t k = 0; k < count; ++k) {
        deviations[k] -= grid_.idealLevelsDb[k];
    }
}

ShapeFit ShapeMeasure::operator()() {
    if (grid_.kind == ChoiceMeasure::Absolute) {
        deviationsAt(0, deviations_);
        double worst = 0;
        for (double deviation : deviations_) {
            // A silent point is as far off as a point can be.
            worst = std::isnan(deviation) ? HUGE_VAL : std::max(worst, std::abs(deviation));
        }
        return {worst, 0, 0};
    }
    // Every whole step of shift from one solve over the frequencies moved by all of them.
    solver_.solveLevels(grid_.shiftedGridHz, levels_);
    const std::size_t count = deviations_.size();
    ShapeFit best{HUGE_VAL, 0, 0};
    for (int step = -grid_.shiftSteps; step <= grid_.shiftSteps; ++step) {
        const auto first = static_cast<std::size_t>(step + grid_.shiftSteps);
        for (std::size_t k = 0; k < count; ++k) {
            deviations_[k] = levels_[first + k] - grid_.idealLevelsDb[k];
        }
        const ShapeFit fit = levelFit(deviations_, step * grid_.stepHz);
        if (fit.deviation < best.deviation) {
            best = fit;
        }
    }
    if (!std::isfinite(best.deviation)) {
        return best;
    }
    const double reach = grid_.shiftSteps * grid_.stepHz;
    const auto shifted = [this](double shift, std::span<double> deviations) {
        deviationsAt(shift, deviations);
    };
    return refineShift(shifted, deviations_, std::max(-reach, best.shiftHz - grid_.stepHz),
                       std::min(reach, best.shiftHz + grid_.stepHz), kShiftToleranceHz, best);
}

}  // namespace trellon
