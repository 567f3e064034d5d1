#pragma once

#include <string>
#include <vector>

#include "BuiltCircuit.h"
#include "CrystalBatch.h"
#include "CrystalModel.h"
#include "CrystalPositions.h"
#include "DesignState.h"

namespace trellon {

// The equivalent circuit of a measured crystal: Cm from Fs and Lm exactly as the synthesis
// computes Cq, so that a crystal typed with the design's Fo, Ld, Rd and Cs is bit for bit the
// design's nominal crystal.
CrystalModel crystalModelOf(const MeasuredCrystal& crystal);

// The arms of the crystal's spurious modes, lowest first: each resonates at Fs plus its offset,
// Cm = 1 / ((2 pi (Fs + offset))^2 Lm).
std::vector<MotionalArm> spuriousArmsOf(const MeasuredCrystal& crystal);

// The crystal as one crystal of a part of the circuit as built: its equivalent circuit and
// spurious arms.
PartCrystal partCrystalOf(const MeasuredCrystal& crystal);

// The crystal alone in the crystal part.
void placeCrystal(BuiltPart& part, const MeasuredCrystal& crystal);

// The crystal the design's inputs describe, as if measured, under `name`.
MeasuredCrystal nominalMeasuredCrystal(const DesignState& state, std::string name = "nominal");

}  // namespace trellon
