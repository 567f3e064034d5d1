#pragma once

#include <span>

#include "BenchCircuit.h"
#include "TerminalResponse.h"
#include "Touchstone.h"

namespace trellon {

// The S-parameters the engine computed, as the Touchstone writer takes them.
TwoPortData twoPortData(const SParameters& s);

// The two-port of the filter at the bench, referred to the system resistance when it is matched
// and to its own terminations otherwise.
TwoPortData benchTwoPort(const BenchCircuit& bench, std::span<const double> frequenciesHz);

}  // namespace trellon
