#include "CrystalOptions.h"

#include <limits>

#include "NumberText.h"
#include "OptionValues.h"
#include "UsageError.h"

namespace trellon::cli {

namespace {

// Where each spread and target the command line takes goes.
struct NumberSetting {
    const SettingDeclaration& declaration;
    double& value;
};

ChoiceMeasure choiceMeasure(const std::string& value) {
    if (value == "absolute") {
        return ChoiceMeasure::Absolute;
    }
    if (value == "shape") {
        return ChoiceMeasure::Shape;
    }
    throw UsageError("--choose-measure takes absolute or shape, not '" + value + "'");
}

TargetKind targetKind(const std::string& value) {
    if (value == "relative") {
        return TargetKind::Relative;
    }
    if (value == "absolute") {
        return TargetKind::Absolute;
    }
    throw UsageError("--" + std::string(settings::kTargetKind.option) +
                     " takes relative or absolute, not '" + value + "'");
}

}  // namespace

bool takeCrystalOption(CrystalOptions& o, const std::string& name, const std::string& value) {
    using namespace settings;
    const NumberSetting numbers[] = {
        {kSigmaFs, o.spread.sigmaFsHz},
        {kSigmaLm, o.spread.sigmaLmPercent},
        {kSigmaRm, o.spread.sigmaRmPercent},
        {kSigmaC0, o.spread.sigmaC0Percent},
        {kCapTolerance, o.spread.capacitorTolerancePercent},
        {kSpreadStray, o.spread.strayPf},
        {kMaxRipple, o.targets.maxRippleDb},
        {kBandwidthTolerance, o.targets.bandwidthTolerancePercent},
        {kMaxLoss, o.targets.maxLossDb},
        {kRippleMargin, o.targets.rippleMarginDb},
        {kLossMargin, o.targets.lossMarginDb},
    };
    for (const NumberSetting& number : numbers) {
        if (name == number.declaration.option) {
            number.value = settingNumber(number.declaration, value);
            const SettingDeclaration* given = &number.declaration;
            o.absoluteTargetsGiven |= given == &kMaxRipple || given == &kMaxLoss;
            o.marginsGiven |= given == &kRippleMargin || given == &kLossMargin;
            return true;
        }
    }
    if (name == "crystals") {
        o.crystalsFile = value;
    } else if (name == "choose-from") {
        o.chooseFromFile = value;
    } else if (name == "choose-measure") {
        o.chooseMeasure = choiceMeasure(value);
    } else if (name == kTargetKind.option) {
        o.targetKind = targetKind(value);
    } else if (name == "built-points") {
        o.builtPointsFile = value;
    } else if (name == kSamples.option) {
        o.monteCarloSamples = settingCount(kSamples, value);
    } else if (name == "envelope") {
        o.envelopeFile = value;
    } else if (name == kGridPoints.option) {
        o.gridPoints = settingCount(kGridPoints, value);
    } else if (name == kSeed.option) {
        o.seed =
            wholeNumber<std::uint64_t>(name, value, 0, std::numeric_limits<std::uint64_t>::max());
    } else if (name == kThreads.option) {
        o.threads = settingCount(kThreads, value);
    } else {
        return false;
    }
    return true;
}

YieldTargets targetsInUse(const CrystalOptions& o) {
    YieldTargets targets = o.targets;
    targets.kind =
        o.targetKind.value_or(o.absoluteTargetsGiven ? TargetKind::Absolute : TargetKind::Relative);
    return targets;
}

void checkCrystalOptions(const CrystalOptions& o) {
    if (o.crystalsFile && o.chooseFromFile) {
        throw UsageError("--crystals and --choose-from cannot be given together");
    }
    if (o.builtPointsFile && !o.anyCrystals()) {
        throw UsageError("--built-points needs --crystals or --choose-from");
    }
    if (o.chooseMeasure && !o.chooseFromFile) {
        throw UsageError("--choose-measure needs --choose-from");
    }
    if (o.recentre && !o.anyCrystals()) {
        throw UsageError("--recentre needs --crystals or --choose-from");
    }
    if (o.envelopeFile && !o.monteCarloSamples) {
        throw UsageError("--envelope needs --monte-carlo");
    }
    const TargetKind kind = targetsInUse(o).kind;
    if (o.absoluteTargetsGiven && kind == TargetKind::Relative) {
        throw UsageError("--max-ripple and --max-loss need --targets absolute");
    }
    if (o.marginsGiven && kind == TargetKind::Absolute) {
        throw UsageError("--ripple-margin and --loss-margin need --targets relative");
    }
    if (o.monteCarloSamples && !settings::sampledLevelsFit(*o.monteCarloSamples, o.gridPoints)) {
        throw UsageError("--monte-carlo times --grid-points must not exceed 50000000");
    }
}

std::string crystalUsageText() {
    std::string text =
        "  --crystals FILE         build the filter with the measured crystals of a CSV\n"
        "                          batch, one per position in order, and report on it\n"
        "  --choose-from FILE      choose the crystals and their positions from a batch\n"
        "  --choose-measure KIND   what the choice matches: shape (the default: the curve\n"
        "                          after the best common shift and level offset) or\n"
        "                          absolute (the curve as designed)\n"
        "  --recentre              design again on the medians of the placed crystals'\n"
        "                          Fs, Lm, Rm and C0, print those inputs first, and build\n"
        "                          with the same placement\n"
        "  --built-points FILE     write the built filter's curve at the traced points\n";
    using namespace settings;
    for (const SettingDeclaration* declaration :
         {&kSamples, &kSigmaFs, &kSigmaLm, &kSigmaRm, &kSigmaC0, &kCapTolerance, &kSpreadStray,
          &kSeed, &kThreads, &kGridPoints, &kTargetKind, &kBandwidthTolerance, &kRippleMargin,
          &kLossMargin, &kMaxRipple, &kMaxLoss}) {
        text += settingUsage(*declaration);
    }
    return text + "  --envelope FILE         write the 5, 50 and 95 % envelopes as CSV\n";
}

}  // namespace trellon::cli
