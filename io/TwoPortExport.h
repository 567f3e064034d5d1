#pragma once

#include "TerminalResponse.h"
#include "Touchstone.h"

namespace trellon {

// The S-parameters the engine computed, as the Touchstone writer takes them.
TwoPortData twoPortData(const SParameters& s);

}  // namespace trellon
