#pragma once

#include <span>
#include <vector>

#include "BuiltCircuit.h"
#include "BuiltFilterSolver.h"
#include "CalculatedDesign.h"
#include "ChoiceMeasure.h"
#include "CrystalBatch.h"
#include "CrystalPositions.h"
#include "ShapeFit.h"
#include "ShapeMeasure.h"

namespace trellon {

// What every placement is measured against: the shape measure's grid and the batch's crystals
// as equivalent circuits. Shared by all threads.
struct PlacementReference : ShapeGrid {
    PlacementReference(const CalculatedDesign& design, const CrystalBatch& batch, int points,
                       ChoiceMeasure kind);

    std::vector<PartCrystal> crystals;      // batch order, as crystals of the parts
    BuiltCircuit circuit;                   // the design as built; its crystals are replaced
    std::vector<std::size_t> crystalParts;  // index in circuit.parts of ZQ1..ZQn, a pair once
};

// Puts the crystals of `placement` (batch index per crystal position, ZQ1 first) into the crystal
// parts of `circuit`.
void placeCrystals(const PlacementReference& reference, std::span<const std::size_t> placement,
                   BuiltCircuit& circuit);

// The measure of a placement (batch index per position, ZQ1 first) in dB, with the shift and
// offset it was taken at (both zero for the absolute measure). One instance per thread.
class PlacementMeasure {
public:
    explicit PlacementMeasure(const PlacementReference& reference);

    // The measure of ShapeMeasure of the placed circuit.
    ShapeFit operator()(std::span<const std::size_t> placement);

    // The slopes (dB per Hz) of the built filter's levels at the measure's frequencies moved
    // by `shiftHz`.
    std::vector<double> slopes(std::span<const std::size_t> placement, double shiftHz);

    // A cheap estimate of the shape measure of `placement` near a placement measured at
    // `near` with `slopes`: one solve at its shift, the rest linearised. Exact for the
    // absolute measure.
    double estimate(std::span<const std::size_t> placement, const ShapeFit& near,
                    std::span<const double> slopes);

private:
    void place(std::span<const std::size_t> placement);

    const PlacementReference& reference_;
    BuiltCircuit circuit_;
    ShapeMeasure measure_;
    std::vector<double> deviations_;
    std::vector<double> scratch_;
};

}  // namespace trellon
