#pragma once

#include "BuiltCircuit.h"
#include "CalculatedDesign.h"

namespace trellon {

// The shape measure of `circuit` against the design's ideal curve (dB): the worst level
// deviation over kTuningMeasurePoints frequencies of the traced band after the best common
// frequency shift (within half the band either way) and the best common level offset.
inline constexpr int kTuningMeasurePoints = 41;
double tuningShapeMeasure(const CalculatedDesign& design, const BuiltCircuit& circuit);

}  // namespace trellon
