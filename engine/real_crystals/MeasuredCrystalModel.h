#pragma once

#include <string>

#include "CrystalBatch.h"
#include "CrystalModel.h"
#include "DesignState.h"

namespace trellon {

// The equivalent circuit of a measured crystal: Cm from Fs and Lm exactly as the synthesis
// computes Cq, so that a crystal typed with the design's Fo, Ld, Rd and Cs is bit for bit the
// design's nominal crystal.
CrystalModel crystalModelOf(const MeasuredCrystal& crystal);

// The crystal the design's inputs describe, as if measured, under `name`.
MeasuredCrystal nominalMeasuredCrystal(const DesignState& state, std::string name = "nominal");

}  // namespace trellon
