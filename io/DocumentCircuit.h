#pragma once

#include <optional>

#include "BenchCircuit.h"
#include "ProjectDocument.h"

namespace trellon {

// The settings the filter as placed is fitted with: the document's bench settings, or, before the
// bench was set, none (no series, no stray, no match: the circuit as placed itself).
BenchSettings fittingSettings(const ProjectDocument& document);

// The filter as the builder solders it: the document's calculated design with the placed
// crystals when the placement holds the design's crystal count and every one is in the batch (the
// nominal crystal in every position otherwise), fitted with fittingSettings, and tuned with the
// document's tuning when `withTuning`. Nothing before the first calculation. Throws CommandError
// as makeBenchCircuit and tunedBenchCircuit.
std::optional<BenchCircuit> documentCircuit(const ProjectDocument& document,
                                            bool withTuning = true);

}  // namespace trellon
