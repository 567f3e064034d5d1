#pragma once

#include <span>
#include <string>
#include <vector>

#include "BenchCircuit.h"
#include "BuiltFilter.h"
#include "CalculatedDesign.h"
#include "PortReturnLoss.h"
#include "ReportBlock.h"

namespace trellon {

// The circuit at the bench solved, beside the ideal figures it is compared with.
struct BenchResult {
    BuiltFilterResult built;  // the bench circuit's curve and figures
    // The nominal circuit as built on the same frequencies: the ideal curve in the figures'
    // own definitions (it agrees with the ideal curve within 0.01 dB in the band).
    CurveFigures ideal;
    std::vector<double> idealLevelsDb;
    std::optional<PortReturnLoss> port;  // when matched
};

// The ideal it is compared with is the design's circuit as built with the nominal crystals.
BenchResult solveBench(const CalculatedDesign& design, const BenchCircuit& bench,
                       std::span<const double> frequenciesHz, int threads = 0);

using BenchReportLines = ReportBlockLines;

// The "as built" block: the fitted values and networks, and the change in Amin, bandwidth at
// the level and ripple against the ideal, and when matched the return loss at the system port,
// in the usual report's number format.
BenchReportLines benchReportLines(const CalculatedDesign& design, const BenchSettings& settings,
                                  const BenchCircuit& bench, const BenchResult& result,
                                  char decimalSeparator);

}  // namespace trellon
