#pragma once

#include <string>

#include "CalculatedDesign.h"
#include "CurveRecord.h"

namespace trellon {

// The record of a design's ideal curve traced on its reference circuit, for a design that has no
// curve of the engine's own (the any-order ladder): the points of idealTraceFrequencies, the
// circuit as built standing for both the model and the terminals. The levels are drawn as the
// engine draws its own curve in `mode`.
CurveRecord designCurveRecord(const CalculatedDesign& design, LevelMode mode, std::string caption);

}  // namespace trellon
