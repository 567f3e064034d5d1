#pragma once

#include <span>
#include <vector>

#include "BuiltCircuit.h"
#include "BuiltFilterSolver.h"
#include "CalculatedDesign.h"
#include "CrystalBatch.h"

namespace trellon {

// What every placement is measured against: the design's reference circuit at `points`
// frequencies evenly over its traced band, edges included, and the batch's crystals as
// equivalent circuits. Shared by all threads.
struct PlacementReference {
    PlacementReference(const CalculatedDesign& design, const CrystalBatch& batch, int points);

    std::vector<double> frequenciesHz;
    std::vector<double> idealLevelsDb;
    std::vector<BuiltPart> crystals;        // batch order, as the parts they become
    BuiltCircuit circuit;                   // the design as built; its crystals are replaced
    std::vector<std::size_t> crystalParts;  // index in circuit.parts of ZQ1..ZQn
};

// The measure of a placement (batch index per position, ZQ1 first): the worst absolute
// deviation in dB of the built filter's attenuation from the ideal curve's over the
// reference's frequencies. One instance per thread.
class PlacementMeasure {
public:
    explicit PlacementMeasure(const PlacementReference& reference);

    double operator()(std::span<const std::size_t> placement);

private:
    const PlacementReference& reference_;
    BuiltCircuit circuit_;
    BuiltFilterSolver solver_;
    std::vector<double> levels_;
};

}  // namespace trellon
