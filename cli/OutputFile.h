#pragma once

#include <ostream>
#include <string>

namespace trellon::cli {

// Writes `content` to `path`: "-" is standard output (`out`), any other name a file written at
// once or not at all. Throws CommandError naming `what` when it cannot be written.
void writeOutput(const std::string& path, const std::string& content, const std::string& what,
                 std::ostream& out);

}  // namespace trellon::cli
