#pragma once

#include <functional>
#include <ostream>

namespace trellon::cli {

// Runs `command` and returns its exit status. Whatever escapes it ends the run with status 1 and
// one line on `err`: a CommandError's own text, anything else "internal error: " and what
// went wrong.
int runGuarded(const std::function<int()>& command, std::ostream& err);

}  // namespace trellon::cli
