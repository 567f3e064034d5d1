#pragma once

#include <span>
#include <vector>

#include "BuiltCircuit.h"
#include "CalculatedDesign.h"
#include "CrystalBatch.h"
#include "CurveFigures.h"
#include "TracedBand.h"

namespace trellon {

// The grid the built filter's curve is drawn on: the ideal traced band widened by half its
// width on each side, 1 Hz apart.
std::vector<double> builtCurveFrequencies(const TracedBand& band);

// The frequencies of the ideal traced curve, 1 Hz above the band's lower edge up to its upper
// edge, 1 Hz apart.
std::vector<double> idealTraceFrequencies(const TracedBand& band);

// `count` frequencies evenly from the ideal traced band widened by half its width on each side,
// first and last included (count >= 2): the grid of the Monte-Carlo.
std::vector<double> widenedBandGrid(const TracedBand& band, int count);

// The circuit as built of the calculated design with crystals[i] (measured) in its crystal
// position i (ZQ1 first, both crystals of a pair in turn); the capacitors are the design's,
// synthesized from the nominal crystal; each crystal brings its spurious arms. `crystals` holds
// exactly the design's crystal count; throws CommandError otherwise, and as requireSimulable.
BuiltCircuit makeBuiltFilter(const CalculatedDesign& design,
                             std::span<const MeasuredCrystal> crystals);

// Throws PhrasedError when `circuit` has more parts than a netlist holds: only the spurious arms
// of many crystals make it so.
void requireSimulable(const BuiltCircuit& circuit);

// The built filter's curve and figures.
struct BuiltFilterResult {
    std::vector<double> frequenciesHz;
    std::vector<double> levelsDb;  // load voltage level for the 1 V source; see BuiltFilterSolver
    double levelAtFo = 0;          // dB, the same level at Fo
    double attenuationAtFo = 0;    // dB, relative to the matched transfer
    CurveFigures figures;          // from the curve, band at the design's level
};

// Solves `circuit` at every frequency (ascending) and at Fo, over `threads` threads (0: one per
// core); the result does not depend on the thread count.
BuiltFilterResult solveBuiltFilter(const CalculatedDesign& design, const BuiltCircuit& circuit,
                                   std::span<const double> frequenciesHz, int threads = 0);

// A level of the built curve as the chart and the points file show it: relative to the curve's
// own least attenuation (0 dB at Amin), or with `absolute` relative to the matched transfer, as
// the ideal curve's two level modes are.
double displayedLevel(double levelDb, const CurveFigures& figures, bool absolute);

}  // namespace trellon
