#pragma once

#include <span>
#include <string>

#include "BenchCircuit.h"

namespace trellon {

// The parts list of the filter at the bench, by schematic position from the input, for a
// spreadsheet: UTF-8 with a byte order mark, a header line, "," between columns and a decimal
// point, each number in the fewest digits that read back exactly. `crystalNames` (in position
// order) names the crystals taken from a batch; empty leaves the column empty.
std::string writeBuildSheetCsv(const BenchCircuit& bench,
                               std::span<const std::string> crystalNames);

}  // namespace trellon
