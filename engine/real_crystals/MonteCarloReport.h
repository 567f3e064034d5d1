#pragma once

#include <string>
#include <vector>

#include "CalculatedDesign.h"
#include "MonteCarlo.h"

namespace trellon {

// The Monte-Carlo's block in the report's notation: the yield against the targets as figures
// (saying when they are relative to the ideal filter), a line for each target the ideal filter
// itself misses, then the 5, 50 and 95 % values of the bandwidth at the design's level, the ripple
// and the loss.
std::vector<std::string> monteCarloReportLines(const CalculatedDesign& design,
                                               const MonteCarloResult& result,
                                               const YieldTargets& targets, char separator);

}  // namespace trellon
