#include "YieldTargets.h"

#include <cmath>

#include "BuiltFilter.h"
#include "GridSolve.h"

namespace trellon {

CurveFigures idealFigures(const CalculatedDesign& design) {
    const std::vector<double> frequencies = idealTraceFrequencies(design.band);
    CurveFigures ideal;
    if (!frequencies.empty()) {
        std::vector<double> levels;
        for (const GridPoint& point : SolveNetlistGrid(design.reference, frequencies, 1)) {
            levels.push_back(point.levelDb);
        }
        ideal = measureCurve(frequencies, levels, design.frLevelDb);
    }
    ideal.amin = design.amin;
    ideal.fAmin = design.fAmin;
    ideal.bandwidth = design.bandwidthAtLevel;
    return ideal;
}

TargetLimits targetLimits(const YieldTargets& targets, const CurveFigures& ideal) {
    const bool relative = targets.kind == TargetKind::Relative;
    return {.maxRippleDb = relative ? ideal.ripple + targets.rippleMarginDb : targets.maxRippleDb,
            .bandwidthTolerancePercent = targets.bandwidthTolerancePercent,
            .maxLossDb = relative ? ideal.amin + targets.lossMarginDb : targets.maxLossDb,
            .idealBandwidthHz = ideal.bandwidth};
}

TargetMisses missedTargets(const CurveFigures& figures, const TargetLimits& limits) {
    const double bandwidthError =
        std::abs(figures.bandwidth - limits.idealBandwidthHz) / limits.idealBandwidthHz * 100;
    return {.bandwidth = !(bandwidthError <= limits.bandwidthTolerancePercent),
            .ripple = !(figures.ripple <= limits.maxRippleDb),
            .loss = !(figures.amin <= limits.maxLossDb)};
}

bool targetsInRange(const YieldTargets& t) {
    using namespace settings;
    return kMaxRipple.accepts(t.maxRippleDb) &&
           kBandwidthTolerance.accepts(t.bandwidthTolerancePercent) &&
           kMaxLoss.accepts(t.maxLossDb) && kRippleMargin.accepts(t.rippleMarginDb) &&
           kLossMargin.accepts(t.lossMarginDb);
}

}  // namespace trellon
