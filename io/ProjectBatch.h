#pragma once

#include <string_view>

#include "CrystalBatch.h"
#include "ProjectFields.h"

namespace trellon {

// The project file's "batch": an array of crystals, each with its name, fs_khz, lm_mh, rm_ohm and
// c0_pf, and a "spurious" array of {offset_khz, lm_mh, rm_ohm} when it has spurious modes.
// Throws FileContentError naming the field for a crystal out of range or a name used twice.
CrystalBatch readProjectBatch(const ProjectFields& root, std::string_view fileName);

ProjectFields::Json projectBatchJson(const CrystalBatch& batch);

}  // namespace trellon
