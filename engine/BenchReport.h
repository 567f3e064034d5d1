#pragma once

#include <span>
#include <string>
#include <vector>

#include "BenchCircuit.h"
#include "BuiltFilter.h"
#include "DesignState.h"
#include "ReportBlock.h"
#include "TextView.h"

namespace trellon {

// The circuit at the bench solved, beside the ideal figures it is compared with.
struct BenchResult {
    BuiltFilterResult built;  // the bench circuit's curve and figures
    // The nominal circuit as built on the same frequencies: the ideal curve in the figures'
    // own definitions (it agrees with the ideal curve within 0.01 dB in the band).
    CurveFigures ideal;
    std::vector<double> idealLevelsDb;
};

// `ideal` is the nominal circuit as built of the design (makeBuiltCircuit(state)).
BenchResult solveBench(const DesignState& state, const BenchCircuit& bench,
                       const BuiltCircuit& ideal, std::span<const double> frequenciesHz,
                       int threads = 0);

using BenchReportLines = ReportBlockLines;

// The "as built" block: the fitted values and networks, and the change in Amin, bandwidth at
// the level and ripple against the ideal, in the usual report's number format.
BenchReportLines benchReportLines(const DesignState& state, const BenchSettings& settings,
                                  const BenchCircuit& bench, const BenchResult& result,
                                  char decimalSeparator);

// Appends the block after the other blocks: to `results` and `log`, adding its log lines to
// LogLastLine and setting LogUnsaved.
void WriteBenchReport(DesignState& state, TextView& results, TextView& log,
                      const BenchSettings& settings, const BenchCircuit& bench,
                      const BenchResult& result, char decimalSeparator);

}  // namespace trellon
