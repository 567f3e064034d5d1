#pragma once

#include <span>
#include <vector>

#include "BuiltCircuit.h"
#include "BuiltFilterSolver.h"
#include "CalculatedDesign.h"
#include "ChoiceMeasure.h"
#include "ShapeFit.h"

namespace trellon {

// What a built circuit is measured against: the design's reference circuit at `points`
// frequencies evenly over its traced band, edges included. Shared by all threads.
struct ShapeGrid {
    ShapeGrid(const CalculatedDesign& design, int points, ChoiceMeasure kind);

    ChoiceMeasure kind;
    std::vector<double> frequenciesHz;
    double stepHz = 0;   // between neighbouring frequencies of the measure
    int shiftSteps = 0;  // shifts are searched over this many steps either way (half the band)
    std::vector<double> shiftedGridHz;  // the frequencies moved by every whole step, in order
    std::vector<double> idealLevelsDb;
};

// The measure (dB) of a built circuit against the ideal curve, with the shift and offset it was
// taken at (both zero for the absolute measure). One instance per thread.
class ShapeMeasure {
public:
    explicit ShapeMeasure(const ShapeGrid& grid);

    // Makes `circuit` the one measured.
    void prepare(const BuiltCircuit& circuit) { solver_.prepare(circuit); }

    // The shape measure scans every whole step of shift, then refines around the best one to
    // 0.01 Hz with the built filter solved at the shifted frequencies.
    ShapeFit operator()();

    // Prepares `circuit` and measures it.
    ShapeFit operator()(const BuiltCircuit& circuit) {
        prepare(circuit);
        return (*this)();
    }

    // The level deviations (built minus ideal, dB) at the measure's frequencies moved by
    // `shiftHz`.
    void deviationsAt(double shiftHz, std::span<double> deviations);

private:
    const ShapeGrid& grid_;
    BuiltFilterSolver solver_;
    std::vector<double> frequencies_;
    std::vector<double> levels_;
    std::vector<double> deviations_;
};

}  // namespace trellon
