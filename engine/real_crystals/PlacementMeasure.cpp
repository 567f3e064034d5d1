#include "PlacementMeasure.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>

#include "BuiltFilter.h"
#include "GridSolve.h"
#include "MeasuredCrystalModel.h"

namespace trellon {

namespace {

constexpr double kShiftToleranceHz = 0.01;
constexpr double kSlopeStepHz = 0.5;  // either way of the shift

}  // namespace

PlacementReference::PlacementReference(const CalculatedDesign& design, const CrystalBatch& batch,
                                       int points, ChoiceMeasure measure)
    : kind(measure), circuit(design.circuit) {
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
    for (const MeasuredCrystal& crystal : batch.crystals) {
        crystals.push_back(partCrystalOf(crystal));
    }
    for (std::size_t i = 0; i < circuit.parts.size(); ++i) {
        if (circuit.parts[i].kind == BuiltPartKind::Crystal) {
            crystalParts.push_back(i);
        }
    }
    // Every placement fits the netlist when the one with the most spurious arms does.
    std::vector<std::size_t> most(crystals.size());
    std::iota(most.begin(), most.end(), 0);
    std::stable_sort(most.begin(), most.end(), [this](std::size_t a, std::size_t b) {
        return crystals[a].spurious.size() > crystals[b].spurious.size();
    });
    most.resize(std::min(most.size(), static_cast<std::size_t>(crystalCount(circuit))));
    BuiltCircuit fullest = circuit;
    placeCrystals(*this, most, fullest);
    requireSimulable(fullest);
}

PlacementMeasure::PlacementMeasure(const PlacementReference& reference)
    : reference_(reference),
      circuit_(reference.circuit),
      frequencies_(reference.frequenciesHz.size()),
      levels_(reference.shiftedGridHz.size()),
      deviations_(reference.frequenciesHz.size()),
      scratch_(reference.frequenciesHz.size()) {}

void placeCrystals(const PlacementReference& reference, std::span<const std::size_t> placement,
                   BuiltCircuit& circuit) {
    std::size_t position = 0;
    std::vector<PartCrystal> held;
    for (std::size_t index : reference.crystalParts) {
        BuiltPart& part = circuit.parts[index];
        held.clear();
        for (int k = 0; k < part.parallelCrystals && position < placement.size(); ++k) {
            held.push_back(reference.crystals[placement[position++]]);
        }
        if (held.size() == static_cast<std::size_t>(part.parallelCrystals)) {
            setPartCrystals(part, held);
        }
    }
}

void PlacementMeasure::place(std::span<const std::size_t> placement) {
    placeCrystals(reference_, placement, circuit_);
    solver_.prepare(circuit_);
}

void PlacementMeasure::deviationsAt(double shiftHz, std::span<double> deviations) {
    const std::size_t count = reference_.frequenciesHz.size();
    for (std::size_t k = 0; k < count; ++k) {
        frequencies_[k] = reference_.frequenciesHz[k] + shiftHz;
    }
    solver_.solveLevels(frequencies_, deviations);
    for (std::size_t k = 0; k < count; ++k) {
        deviations[k] -= reference_.idealLevelsDb[k];
    }
}

ShapeFit PlacementMeasure::operator()(std::span<const std::size_t> placement) {
    place(placement);
    if (reference_.kind == ChoiceMeasure::Absolute) {
        deviationsAt(0, deviations_);
        double worst = 0;
        for (double deviation : deviations_) {
            // A silent point is as far off as a point can be.
            worst = std::isnan(deviation) ? HUGE_VAL : std::max(worst, std::abs(deviation));
        }
        return {worst, 0, 0};
    }
    // Every whole step of shift from one solve over the frequencies moved by all of them.
    solver_.solveLevels(reference_.shiftedGridHz, levels_);
    const std::size_t count = deviations_.size();
    ShapeFit best{HUGE_VAL, 0, 0};
    for (int step = -reference_.shiftSteps; step <= reference_.shiftSteps; ++step) {
        const auto first = static_cast<std::size_t>(step + reference_.shiftSteps);
        for (std::size_t k = 0; k < count; ++k) {
            deviations_[k] = levels_[first + k] - reference_.idealLevelsDb[k];
        }
        const ShapeFit fit = levelFit(deviations_, step * reference_.stepHz);
        if (fit.deviation < best.deviation) {
            best = fit;
        }
    }
    if (!std::isfinite(best.deviation)) {
        return best;
    }
    const double reach = reference_.shiftSteps * reference_.stepHz;
    const auto shifted = [this](double shift, std::span<double> deviations) {
        deviationsAt(shift, deviations);
    };
    return refineShift(shifted, deviations_, std::max(-reach, best.shiftHz - reference_.stepHz),
                       std::min(reach, best.shiftHz + reference_.stepHz), kShiftToleranceHz, best);
}

std::vector<double> PlacementMeasure::slopes(std::span<const std::size_t> placement,
                                             double shiftHz) {
    place(placement);
    std::vector<double> rising(deviations_.size());
    deviationsAt(shiftHz + kSlopeStepHz, rising);
    deviationsAt(shiftHz - kSlopeStepHz, deviations_);
    for (std::size_t k = 0; k < rising.size(); ++k) {
        rising[k] = (rising[k] - deviations_[k]) / (2 * kSlopeStepHz);
        if (!std::isfinite(rising[k])) {
            rising[k] = 0;
        }
    }
    return rising;
}

double PlacementMeasure::estimate(std::span<const std::size_t> placement, const ShapeFit& near,
                                  std::span<const double> slopes) {
    if (reference_.kind == ChoiceMeasure::Absolute) {
        return (*this)(placement).deviation;
    }
    place(placement);
    deviationsAt(near.shiftHz, deviations_);
    return linearisedFit(deviations_, slopes, near.shiftHz, reference_.stepHz, scratch_).deviation;
}

}  // namespace trellon
