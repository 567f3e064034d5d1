#pragma once

#include <string>
#include <vector>

#include "Retrim.h"

namespace trellon {

// The retrim's block for the panel and the log: the shape measure before and after, dB, that of
// plain rounding to the series `eSeries` when there is one, each capacitor's value as soldered
// before and after, and each crystal's trimmer or its short. Values to four significant digits.
std::vector<std::string> retrimReportLines(const RetrimResult& result, int eSeries,
                                           char decimalSeparator);

}  // namespace trellon
