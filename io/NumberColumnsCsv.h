#pragma once

#include <span>
#include <string>
#include <vector>

namespace trellon {

// A table of numbers for other programs: the header line of the column names, then one row per
// index, "," between the columns, each number with a decimal point and 17 significant digits
// (so that it reads back as the same double); a value that is not finite is left empty. Every
// column holds as many values as the first. Used for the built filter's points and the
// Monte-Carlo's envelopes.
std::string writeNumberColumnsCsv(const std::vector<std::string>& names,
                                  const std::vector<std::span<const double>>& columns);

}  // namespace trellon
