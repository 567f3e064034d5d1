#include "PlacementMeasure.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "BuiltFilter.h"
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
        placeCrystal(crystals.emplace_back(), crystal);
    }
    for (std::size_t i = 0; i < circuit.parts.size(); ++i) {
        if (circuit.parts[i].kind == BuiltPartKind::Crystal) {
            crystalParts.push_back(i);
        }
    }
    // Every placement fits the netlist when the one with the most spurious arms does.
    std::vector<const BuiltPart*> most;
    for (const BuiltPart& crystal : crystals) {
        most.push_back(&crystal);
    }
    std::sort(most.begin(), most.end(), [](const BuiltPart* a, const BuiltPart* b) {
        return a->spurious.size() > b->spurious.size();
    });
    BuiltCircuit fullest = circuit;
    for (std::size_t position = 0; position < crystalParts.size() && position < most.size();
         ++position) {
        fullest.parts[crystalParts[position]].spurious = most[position]->spurious;
    }
    requireSimulable(fullest);
}

PlacementMeasure::PlacementMeasure(const PlacementReference& reference)
    : reference_(reference), circuit_(reference.circuit), levels_(reference.frequenciesHz.size()) {}

double PlacementMeasure::operator()(std::span<const std::size_t> placement) {
    for (std::size_t position = 0; position < placement.size(); ++position) {
        BuiltPart& part = circuit_.parts[reference_.crystalParts[position]];
        const BuiltPart& crystal = reference_.crystals[placement[position]];
        part.crystal = crystal.crystal;
        part.spurious = crystal.spurious;
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
