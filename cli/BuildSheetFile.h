#pragma once

#include <span>
#include <string>
#include <vector>

#include "BenchCircuit.h"
#include "CalculatedDesign.h"

namespace trellon::cli {

// The build sheet of `soldered` (the filter as soldered, fitted with `settings`) for `path`: CSV
// when it ends in .csv, otherwise PDF with the design, the settings and the "as built" figures
// around the parts, and `tailLines` after them.
std::string buildSheetFile(const std::string& path, const CalculatedDesign& design,
                           const BenchSettings& settings, const BenchCircuit& soldered,
                           std::span<const std::string> crystalNames,
                           const std::vector<std::string>& tailLines, char decimalSeparator);

}  // namespace trellon::cli
