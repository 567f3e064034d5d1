#pragma once

#include <string>
#include <vector>

#include "AnyOrderDesign.h"
#include "CalculatedDesign.h"

namespace trellon {

// The parts as a builder reads them off the design, one "name=value" line each: Rin and Rout in
// ohm, then every capacitor in ladder order in pF, 4 significant digits.
std::vector<std::string> anyOrderPartLines(const AnyOrderDesign& design, char decimalSeparator);

// The design's report block: its heading, Fo and fd, the band between the family's edges, the
// unloaded q against the family's least, the loss expected from the prototype beside the
// simulated one, and the ideal curve's figures at the level of `calculated`.
std::vector<std::string> anyOrderReportLines(const AnyOrderDesign& design,
                                             const CalculatedDesign& calculated,
                                             char decimalSeparator);

// The warning that precedes the result when the crystals are too lossy for the family and
// order; empty when they are not.
std::string anyOrderLossWarning(const AnyOrderDesign& design, char decimalSeparator);

}  // namespace trellon
