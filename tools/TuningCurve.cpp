#include "TuningCurve.h"

#include "BuiltFilter.h"
#include "GridSolve.h"

namespace trellon {

TuningCurve::TuningCurve(const CalculatedDesign& design)
    : frequenciesHz_(widenedBandGrid(design.band, kPoints)), levelsDb_(frequenciesHz_.size()) {
    for (const GridPoint& point : SolveNetlistGrid(design.reference, frequenciesHz_, 1)) {
        idealLevelsDb_.push_back(point.levelDb);
    }
}

const std::vector<double>& TuningCurve::solve(const BuiltCircuit& circuit) {
    solver_.prepare(circuit);
    solver_.solveLevels(frequenciesHz_, levelsDb_);
    return levelsDb_;
}

}  // namespace trellon
