#pragma once

#include <span>
#include <string>
#include <vector>

#include "BuiltFilter.h"
#include "CalculatedDesign.h"
#include "ReportBlock.h"

namespace trellon {

// The built filter's report block, in the usual report's number format.
using BuiltFilterReportLines = ReportBlockLines;

// `crystalNames` (in position order) adds the placement to the log; empty leaves it out.
BuiltFilterReportLines builtFilterReportLines(const CalculatedDesign& design,
                                              const BuiltFilterResult& built,
                                              std::span<const std::string> crystalNames,
                                              char decimalSeparator);

}  // namespace trellon
