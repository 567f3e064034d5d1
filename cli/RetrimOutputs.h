#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "BenchCircuit.h"
#include "CalculatedDesign.h"
#include "CliOptions.h"
#include "Retrim.h"

namespace trellon::cli {

// What --retrim makes of the filter as placed and fitted.
struct RetrimOutputs {
    RetrimResult result;
    BenchCircuit tuned;              // the filter retrimmed, as soldered
    std::vector<std::string> lines;  // its text block
    nlohmann::ordered_json json;     // "retrim"
    std::string builtPoints;         // CSV of the retrimmed filter, when asked for
};

// Retrims `start` (the filter with its crystals, fitted with `settings`) on `design`. Throws
// CommandError naming a free capacitor the filter lacks, and as the retrim does.
RetrimOutputs makeRetrimOutputs(const CalculatedDesign& design, const BenchCircuit& start,
                                const BenchSettings& settings, const CliOptions& options);

}  // namespace trellon::cli
