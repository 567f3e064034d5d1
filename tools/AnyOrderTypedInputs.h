#pragma once

#include "AnyOrderDesign.h"
#include "ProjectFile.h"

namespace trellon {

// The any-order inputs as typed, read as numbers with either decimal mark: Fo in kHz, Ld in mH,
// Cs in pF, Rd in ohm and the bandwidth in Hz. A field that is not a number is refused with a
// CommandError in the window's words that names it; its range is the design's to check.
AnyOrderInputs anyOrderInputsOf(const ProjectAnyOrder& typed, char decimalSeparator);

}  // namespace trellon
