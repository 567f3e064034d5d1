#pragma once

#include <string>

namespace trellon::cli {

// The whole content of the file at `path`; throws CommandError "Cannot read <what> '<path>':
// <reason>" when it cannot be read.
std::string readInputFile(const std::string& path, const std::string& what);

}  // namespace trellon::cli
