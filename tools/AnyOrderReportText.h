#pragma once

#include <string>

#include "AnyOrderDesign.h"
#include "CalculatedDesign.h"
#include "ReportBlock.h"

namespace trellon {

// The figures of anyOrderReportLines in the window's words: the whole lines for the log, and the
// same figures one to a line for the narrow results panel. The log's block also lists the parts.
// When the crystals are too lossy, anyOrderLossWarning in the window's words comes first.
ReportBlockLines anyOrderReportBlock(const AnyOrderDesign& design,
                                     const CalculatedDesign& calculated, char decimalSeparator);

}  // namespace trellon
