#pragma once

#include <string>

#include "AnyOrderDesign.h"
#include "CalculatedDesign.h"
#include "ReportBlock.h"

namespace trellon {

// The figures of anyOrderReportLines in the window's words: the whole lines for the log, and the
// same figures one to a line for the narrow results panel. The log's block also lists the parts.
ReportBlockLines anyOrderReportBlock(const AnyOrderDesign& design,
                                     const CalculatedDesign& calculated, char decimalSeparator);

// anyOrderLossWarning in the window's words; empty when the crystals are good enough.
std::string anyOrderLossWarningText(const AnyOrderDesign& design, char decimalSeparator);

}  // namespace trellon
