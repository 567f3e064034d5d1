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
    const TargetLimits& limits = result.limits;
    const std::string ripple = "ripple <= " + number(limits.maxRippleDb, 4) + " dB";
    const std::string loss = "Amin <= " + number(limits.maxLossDb, 4) + " dB";
    const bool relative = targets.kind == TargetKind::Relative;
    std::vector<std::string> lines{"Monte-Carlo: " + std::to_string(result.samples) +
                                   " samples;  yield " + number(result.yield * 100, 4) + " % (" +
                                   (relative ? "relative to the ideal filter: " : "") + ripple +
                                   ", dF within +-" + number(limits.bandwidthTolerancePercent, 4) +
                                   " %, " + loss + ");"};
    // Only absolute targets can lie beyond the ideal filter's own figures.
    const TargetMisses ideal = missedTargets(result.ideal, limits);
    if (ideal.ripple) {
        lines.push_back("The ideal filter itself misses " + ripple + ": its ripple is " +
                        number(result.ideal.ripple, 3) + " dB;");
    }
    if (ideal.loss) {
        lines.push_back("The ideal filter itself misses " + loss + ": its Amin is " +
                        number(result.ideal.amin, 3) + " dB;");
    }
    lines.insert(
        lines.end(),
        {"dF(" + number(design.frLevelDb, 15) + " dB): " +
             percentileText(wholeHertz(result.bandwidthPercentiles), 5, separator, " Hz") + ";",
         "Ripple: " + percentileText(result.ripplePercentiles, 3, separator, " dB") + ";",
         "Amin: " + percentileText(result.lossPercentiles, 3, separator, " dB") + "."});
    return lines;
}

}  // namespace trellon
