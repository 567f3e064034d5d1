#include "PlacementMeasure.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "GridSolve.h"
#include "MeasuredCrystalModel.h"

namespace trellon {

PlacementReference::PlacementReference(const CalculatedDesign& design, const CrystalBatch& batch,
                                       int points)
    : circuit(design.circuit) {
    const TracedBand& band = design.band;
    for (int k = 0; k < points; ++k) {
        frequenciesHz.push_back(band.lowHz() + band.widthHz() * k / (points - 1));
    }
    const auto netlist = std::make_unique<Netlist>(design.reference);
    const auto solver = std::make_unique<CircuitSolver>(*netlist);
    solver->prepare();
    for (const GridPoint& point : SolveGrid(*solver, frequenciesHz, 1)) {
        idealLevelsDb.push_back(point.levelDb);
    }
    for (const MeasuredCrystal& crystal : batch.crystals) {
        crystals.push_back(crystalModelOf(crystal));
    }
    for (std::size_t i = 0; i < circuit.parts.size(); ++i) {
        if (circuit.parts[i].kind == BuiltPartKind::Crystal) {
            crystalParts.push_back(i);
        }
    }
}

PlacementMeasure::PlacementMeasure(const PlacementReference& reference)
    : reference_(reference), circuit_(reference.circuit), levels_(reference.frequenciesHz.size()) {}

double PlacementMeasure::operator()(std::span<const std::size_t> placement) {
    for (std::size_t position = 0; position < placement.size(); ++position) {
        circuit_.parts[reference_.crystalParts[position]].crystal =
            reference_.crystals[placement[position]];
    }
    solver_.prepare(circuit_);
    solver_.solveLevels(reference_.frequenciesHz, levels_);
    double worst = 0;
    for (std::size_t k = 0; k < levels_.size(); ++k) {
        const double deviation = std::abs(levels_[k] - reference_.idealLevelsDb[k]);
        // A silent point is as far off as a point can be.
        worst = std::isnan(deviation) ? HUGE_VAL : std::max(worst, deviation);
    }
    return worst;
}

}  // namespace trellon
