#pragma once

#include "CircuitTuning.h"
#include "ProjectFields.h"

namespace trellon {

// The project file's "tuning": the groups "capacitors" {name: pF}, "trimmers" {ZQk: pF} and
// "fsShifts" {ZQk: Hz}, each optional and left out when empty. Names are 1 to
// kTuningNameLimit characters; capacitances lie above 0 and below kTunedPfLimit, shifts within
// ±kFsShiftLimitHz. Throws FileContentError naming the field for one of the wrong kind or range.
inline constexpr std::size_t kTuningNameLimit = 64;
inline constexpr double kTunedPfLimit = 1e6;
inline constexpr double kFsShiftLimitHz = 1e6;

CircuitTuning readProjectTuning(const ProjectFields& group);

ProjectFields::Json projectTuningJson(const CircuitTuning& tuning);

}  // namespace trellon
