#pragma once

#include <memory>

#include "AnyOrderDesign.h"
#include "CalculatedDesign.h"

namespace trellon {

// The any-order ladder as every analysis after a calculation takes it: its ideal curve is the
// circuit as built with the nominal crystal in every position, traced 1 Hz apart between the
// points `frLevelDb` (negative) below its least loss. It has no classic model: Fo is the
// crystal's Fs and the pass band the design's target. Throws PhrasedError when the curve has no
// finite figures.
std::shared_ptr<const CalculatedDesign> anyOrderCalculatedDesign(const AnyOrderDesign& design,
                                                                 double frLevelDb);

}  // namespace trellon
