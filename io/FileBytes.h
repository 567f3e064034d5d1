#pragma once

#include <string>

namespace trellon {

// The whole file's bytes; a file that cannot be opened or read throws CommandError
// "Cannot read <what> '<path>': <reason>".
std::string readFileBytes(const std::string& path, const std::string& what);

}  // namespace trellon
