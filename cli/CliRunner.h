#pragma once

#include <ostream>

#include "CliOptions.h"

namespace trellon::cli {

// Runs one design as the options say and prints it. Returns the exit status: 0 when the
// design completed, 1 when a message stopped it.
int runCli(const CliOptions& options, std::ostream& out, std::ostream& err);

// The whole program: parses the arguments, runs, and returns 2 for bad usage. Any failure
// that escapes the run is printed on `err` and returns 1 (see runGuarded).
int cliMain(const std::vector<std::string>& arguments, char defaultSeparator, std::ostream& out,
            std::ostream& err);

}  // namespace trellon::cli
