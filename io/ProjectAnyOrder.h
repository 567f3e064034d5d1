#pragma once

#include "ProjectAnyOrderGroup.h"
#include "ProjectFields.h"

namespace trellon {

// The project file's "anyOrder": the crystal's Fo, Ld, Cs and Rd and the bandwidth as typed, the
// order, the family by its command-line name and the Chebyshev ripple. Throws FileContentError
// naming the field for one of the wrong kind or out of range.
ProjectAnyOrder readProjectAnyOrder(const ProjectFields& group);

ProjectFields::Json projectAnyOrderJson(const ProjectAnyOrder& anyOrder);

}  // namespace trellon
