#include "PlacementMeasure.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "BuiltFilter.h"
#include "MeasuredCrystalModel.h"

namespace trellon {

namespace {

constexpr double kSlopeStepHz = 0.5;  // either way of the shift

}  // namespace

PlacementReference::PlacementReference(const CalculatedDesign& design, const CrystalBatch& batch,
                                       int points, ChoiceMeasure measure)
    : ShapeGrid(design, points, measure), circuit(design.circuit) {
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
      measure_(reference),
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
    measure_.prepare(circuit_);
}

ShapeFit PlacementMeasure::operator()(std::span<const std::size_t> placement) {
    place(placement);
    return measure_();
}

std::vector<double> PlacementMeasure::slopes(std::span<const std::size_t> placement,
                                             double shiftHz) {
    place(placement);
    std::vector<double> rising(deviations_.size());
    measure_.deviationsAt(shiftHz + kSlopeStepHz, rising);
    measure_.deviationsAt(shiftHz - kSlopeStepHz, deviations_);
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
    measure_.deviationsAt(near.shiftHz, deviations_);
    return linearisedFit(deviations_, slopes, near.shiftHz, reference_.stepHz, scratch_).deviation;
}

}  // namespace trellon
