#pragma once

#include <string>
#include <string_view>

namespace trellon {

// The chosen name with `extension` (".qua", ".txt") appended unless it already ends in it, in
// any letter case.
std::string withExtension(const std::string& chosenName, std::string_view extension);

}  // namespace trellon
