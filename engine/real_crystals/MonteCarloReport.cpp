#include "MonteCarloReport.h"

#include <cmath>

#include "NumberText.h"

namespace trellon {

namespace {

std::string percentileText(const Percentiles& p, int digits, char separator,
                           const std::string& unit) {
    const auto number = [&](double value) { return FormatGeneral(value, digits, separator); };
    return "p5=" + number(p.p5) + unit + ";  p50=" + number(p.p50) + unit +
           ";  p95=" + number(p.p95) + unit;
}

// Whole hertz, as the report's bandwidths read.
Percentiles wholeHertz(const Percentiles& p) {
    return {std::round(p.p5), std::round(p.p50), std::round(p.p95)};
}

}  // namespace

std::vector<std::string> monteCarloReportLines(const CalculatedDesign& design,
                                               const MonteCarloResult& result,
                                               const YieldTargets& targets, char separator) {
    const auto number = [&](double value, int digits) {
        return FormatGeneral(value, digits, separator);
    };
    return {"Monte-Carlo: " + std::to_string(result.samples) + " samples;  yield " +
                number(result.yield * 100, 4) + " % (ripple <= " + number(targets.maxRippleDb, 4) +
                " dB, dF within +-" + number(targets.bandwidthTolerancePercent, 4) +
                " %, Amin <= " + number(targets.maxLossDb, 4) + " dB);",
            "dF(" + number(design.frLevelDb, 15) + " dB): " +
                percentileText(wholeHertz(result.bandwidthPercentiles), 5, separator, " Hz") + ";",
            "Ripple: " + percentileText(result.ripplePercentiles, 3, separator, " dB") + ";",
            "Amin: " + percentileText(result.lossPercentiles, 3, separator, " dB") + "."};
}

}  // namespace trellon
