#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "BenchCircuit.h"

namespace trellon {

// One line of the build sheet: a part of the filter at the bench by schematic position.
struct BuildSheetRow {
    std::string part;  // "C3", "ZQ2", "CT2", "Lin", "Tin"
    std::string kind;  // capacitor, trimmer, crystal, inductor or transformer
    std::optional<double> design;
    std::optional<double> fitted;          // the value to solder, or a pair's first value
    std::optional<double> fittedParallel;  // a pair's second value
    std::optional<double> strayPf;
    std::string unit;     // pF, uH, turns ratio
    std::string crystal;  // the crystal's name in its batch
    std::string note;     // what a merged part stands for, a value kept, a trimmer's crystal
};

// The parts of `bench` from the input to the output, the transformers of a transformer match at
// the ends. `crystalNames` (in position order) names the crystals taken from a batch.
std::vector<BuildSheetRow> buildSheetRows(const BenchCircuit& bench,
                                          std::span<const std::string> crystalNames);

}  // namespace trellon
