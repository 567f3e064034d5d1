#include "TuningMeasure.h"

#include <cmath>
#include <vector>

#include "BuiltFilterSolver.h"
#include "GridSolve.h"
#include "ShapeFit.h"

namespace trellon {

namespace {

constexpr double kShiftToleranceHz = 0.01;

}  // namespace

double tuningShapeMeasure(const CalculatedDesign& design, const BuiltCircuit& circuit) {
    const TracedBand& band = design.band;
    const double stepHz = band.widthHz() / (kTuningMeasurePoints - 1);
    std::vector<double> frequencies;
    for (int k = 0; k < kTuningMeasurePoints; ++k) {
        frequencies.push_back(band.lowHz() + stepHz * k);
    }
    std::vector<double> ideal;
    for (const GridPoint& point : SolveNetlistGrid(design.reference, frequencies, 1)) {
        ideal.push_back(point.levelDb);
    }
    BuiltFilterSolver solver;
    solver.prepare(circuit);
    std::vector<double> shifted(frequencies.size());
    std::vector<double> levels(frequencies.size());
    const ShiftedDeviations deviationsAt = [&](double shiftHz, std::span<double> deviations) {
        for (std::size_t i = 0; i < frequencies.size(); ++i) {
            shifted[i] = frequencies[i] + shiftHz;
        }
        solver.solveLevels(shifted, levels);
        for (std::size_t i = 0; i < frequencies.size(); ++i) {
            deviations[i] = levels[i] - ideal[i];
        }
    };
    // Every whole step of shift first, so that the refinement starts in the best valley.
    std::vector<double> deviations(frequencies.size());
    const int reach = (kTuningMeasurePoints - 1) / 2;
    ShapeFit best{HUGE_VAL, 0, 0};
    for (int k = -reach; k <= reach; ++k) {
        deviationsAt(k * stepHz, deviations);
        const ShapeFit fit = levelFit(deviations, k * stepHz);
        if (fit.deviation < best.deviation) {
            best = fit;
        }
    }
    return refineShift(deviationsAt, deviations, best.shiftHz - stepHz, best.shiftHz + stepHz,
                       kShiftToleranceHz, best)
        .deviation;
}

}  // namespace trellon
