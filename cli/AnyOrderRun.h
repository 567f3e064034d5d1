#pragma once

#include <ostream>

#include "CliOptions.h"

namespace trellon::cli {

// Designs the ladder of --order and --family from the crystal, the pass band and the level
// typed, prints its parts and report block (or JSON), then does with it what the crystal, bench
// and Monte-Carlo options ask, as for a classic design. Returns the exit status.
int runAnyOrder(const CliOptions& options, std::ostream& out, std::ostream& err);

}  // namespace trellon::cli
