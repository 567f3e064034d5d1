#pragma once

#include "DesignState.h"

namespace trellon {

// Copies the normalised prototype row of the state's Topology and Response into G1.., Kref, SWR
// and TableKey. Numbers outside the catalogue select no row and leave the state as it was.
void LoadPrototype(DesignState& state);

}  // namespace trellon
