#pragma once

#include <string>

#include "MonteCarlo.h"

namespace trellon {

// The figures of every sample of a Monte-Carlo run as a table of numbers (the columns of
// NumberColumnsCsv.h): the sample's number from 1, its bandwidth at the level in Hz, its ripple
// and loss in dB, and 1 or 0 for whether it meets each target (see docs/monte-carlo-csv.md).
// The targets are those the run held its samples to.
std::string writeMonteCarloCsv(const MonteCarloResult& result);

}  // namespace trellon
