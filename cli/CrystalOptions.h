#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "ChoiceMeasure.h"
#include "MonteCarlo.h"

namespace trellon::cli {

// The options for real crystals: the filter built with measured crystals, the choice of them
// from a batch, and a Monte-Carlo over the spread of the parts.
struct CrystalOptions {
    std::optional<std::string> crystalsFile;     // exactly n crystals in position order
    std::optional<std::string> chooseFromFile;   // a batch of M >= n to choose from
    std::optional<ChoiceMeasure> chooseMeasure;  // shape unless given
    bool recentre = false;  // design again on the medians of the placed crystals
    std::optional<std::string> builtPointsFile;
    std::optional<int> monteCarloSamples;
    std::optional<std::string> envelopeFile;
    int gridPoints = settings::wholeDefault(settings::kGridPoints);
    std::uint64_t seed = settings::wholeDefault(settings::kSeed);
    int threads = settings::wholeDefault(settings::kThreads);  // 0: one per core
    PartSpread spread;
    YieldTargets targets;  // as typed, of whatever kind: see targetsInUse
    std::optional<TargetKind> targetKind;
    bool absoluteTargetsGiven = false;  // --max-ripple or --max-loss
    bool marginsGiven = false;          // --ripple-margin or --loss-margin

    bool anyCrystals() const { return crystalsFile || chooseFromFile; }
    bool any() const { return anyCrystals() || monteCarloSamples; }
};

// Takes the option `name` with its value when it is one of the crystal options; returns false
// for any other name. Throws UsageError for a value it cannot take. A number may be typed with
// either decimal mark.
bool takeCrystalOption(CrystalOptions& options, const std::string& name, const std::string& value);

// The names of the crystal options, all of which take a value.
inline constexpr const char* kCrystalOptionNames[] = {"crystals",
                                                      "choose-from",
                                                      "choose-measure",
                                                      "built-points",
                                                      settings::kSamples.option.data(),
                                                      "envelope",
                                                      settings::kSigmaFs.option.data(),
                                                      settings::kSigmaLm.option.data(),
                                                      settings::kSigmaRm.option.data(),
                                                      settings::kSigmaC0.option.data(),
                                                      settings::kCapTolerance.option.data(),
                                                      settings::kSpreadStray.option.data(),
                                                      settings::kSeed.option.data(),
                                                      settings::kThreads.option.data(),
                                                      settings::kGridPoints.option.data(),
                                                      settings::kMaxRipple.option.data(),
                                                      settings::kBandwidthTolerance.option.data(),
                                                      settings::kMaxLoss.option.data(),
                                                      settings::kTargetKind.option.data(),
                                                      settings::kRippleMargin.option.data(),
                                                      settings::kLossMargin.option.data()};

// The targets the Monte-Carlo holds its samples to: of the kind given, otherwise absolute when an
// absolute target was given and relative when none was.
YieldTargets targetsInUse(const CrystalOptions& options);

// Throws UsageError for options that do not go together: two sources of crystals, a file that
// nothing would write, a measure with no choice, a re-centring with no crystals, a Monte-Carlo
// too large to keep, a target of the kind not in use.
void checkCrystalOptions(const CrystalOptions& options);

// The usage lines of the crystal options.
std::string crystalUsageText();

}  // namespace trellon::cli
