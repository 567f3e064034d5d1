#pragma once

#include <string>

#include "DesignState.h"
#include "TextView.h"

namespace trellon {

// The texts of the window's fields that the report prints as typed.
struct ReportTexts {
    std::string filterType;  // the response name field, e.g. "Butt. dA=3 dB"
    std::string passBand;    // the pass-band field, e.g. "3100"
    std::string level;       // the level field, e.g. "-10"
};

// Appends the results lines to `results` and the log lines to `log` for the state's Topology,
// adds the log line count to LogLastLine and sets LogUnsaved.
void WriteCalculationReport(DesignState& state, TextView& results, TextView& log,
                            const ReportTexts& texts, char decimalSeparator);

}  // namespace trellon
