#pragma once

#include <span>
#include <string>
#include <vector>

#include "BuiltFilter.h"
#include "DesignState.h"
#include "ReportBlock.h"
#include "TextView.h"

namespace trellon {

// The built filter's report block, in the usual report's number format.
using BuiltFilterReportLines = ReportBlockLines;

// `crystalNames` (in position order) adds the placement to the log; empty leaves it out.
BuiltFilterReportLines builtFilterReportLines(const DesignState& state,
                                              const BuiltFilterResult& built,
                                              std::span<const std::string> crystalNames,
                                              char decimalSeparator);

// Appends the block after the usual report: to `results` and `log`, adding its log lines to
// LogLastLine and setting LogUnsaved.
void WriteBuiltFilterReport(DesignState& state, TextView& results, TextView& log,
                            const BuiltFilterResult& built,
                            std::span<const std::string> crystalNames, char decimalSeparator);

}  // namespace trellon
