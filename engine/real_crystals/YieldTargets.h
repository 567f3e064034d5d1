#pragma once

#include "CalculatedDesign.h"
#include "CurveFigures.h"
#include "SettingTables.h"

namespace trellon {

// Relative targets follow the ideal filter's own loss and ripple; absolute ones are figures.
enum class TargetKind { Relative, Absolute };

// What a sample must meet to count towards the yield, as a user chooses it. The bandwidth always
// lies within +- bandwidthTolerancePercent of the ideal curve's; the loss and the ripple are at
// most the ideal filter's plus the margins (relative) or at most maxLossDb and maxRippleDb
// (absolute).
struct YieldTargets {
    TargetKind kind = TargetKind::Relative;
    double maxRippleDb = settings::kMaxRipple.defaultValue;
    double bandwidthTolerancePercent = settings::kBandwidthTolerance.defaultValue;
    double maxLossDb = settings::kMaxLoss.defaultValue;
    double rippleMarginDb = settings::kRippleMargin.defaultValue;
    double lossMarginDb = settings::kLossMargin.defaultValue;

    bool operator==(const YieldTargets&) const = default;
};

// The targets as figures, once the ideal filter's are known.
struct TargetLimits {
    double maxRippleDb = 0;
    double bandwidthTolerancePercent = 0;
    double maxLossDb = 0;
    double idealBandwidthHz = 0;  // what the tolerance is a share of
};

// The ideal filter's figures the targets refer to, all of the design's traced curve: its loss
// and bandwidth at the level as the calculation found them, and its ripple from the circuit it
// was traced on, solved again at the traced frequencies.
CurveFigures idealFigures(const CalculatedDesign& design);

TargetLimits targetLimits(const YieldTargets& targets, const CurveFigures& ideal);

// Which targets a sample of these figures misses.
struct TargetMisses {
    bool bandwidth = false;
    bool ripple = false;
    bool loss = false;
    bool any() const { return bandwidth || ripple || loss; }
};
TargetMisses missedTargets(const CurveFigures& figures, const TargetLimits& limits);

// Whether every value lies within its setting's range.
bool targetsInRange(const YieldTargets& targets);

}  // namespace trellon
