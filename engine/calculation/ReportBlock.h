#pragma once

#include <string>
#include <vector>

#include "DesignState.h"
#include "TextView.h"

namespace trellon {

// A block appended after the usual report: short lines for the narrow results panel, the whole
// lines for the log (and the command line's output).
struct ReportBlockLines {
    std::vector<std::string> results;
    std::vector<std::string> log;
};

// Appends `lines` to `results` and `log`, counting the log lines in LogLastLine and setting
// LogUnsaved, as the usual report's lines are counted.
inline void appendReportBlock(DesignState& state, TextView& results, TextView& log,
                              const ReportBlockLines& lines) {
    for (const std::string& line : lines.results) {
        results.appendLine(line);
    }
    for (const std::string& line : lines.log) {
        log.appendLine(line);
    }
    state.LogLastLine += static_cast<int>(lines.log.size());
    state.LogUnsaved = true;
}

}  // namespace trellon
