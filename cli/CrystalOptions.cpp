#include "CrystalOptions.h"

#include <charconv>
#include <cmath>
#include <exception>
#include <limits>

#include "NumberText.h"
#include "OptionValues.h"

namespace trellon::cli {

namespace {

constexpr int kMaxSamples = 1000000;
constexpr int kMaxGridPoints = 1000000;
constexpr int kMaxThreads = 256;
// Every sample's curve is kept for the envelopes.
constexpr double kMaxStoredLevels = 5e7;

// A number from 0 up to (not including) `below`.

}  // namespace

bool takeCrystalOption(CrystalOptions& o, const std::string& name, const std::string& value) {
    if (name == "crystals") {
        o.crystalsFile = value;
    } else if (name == "choose-from") {
        o.chooseFromFile = value;
    } else if (name == "built-points") {
        o.builtPointsFile = value;
    } else if (name == "monte-carlo") {
        o.monteCarloSamples = wholeNumber(name, value, 1, kMaxSamples);
    } else if (name == "envelope") {
        o.envelopeFile = value;
    } else if (name == "grid-points") {
        o.gridPoints = wholeNumber(name, value, 2, kMaxGridPoints);
    } else if (name == "seed") {
        o.seed =
            wholeNumber<std::uint64_t>(name, value, 0, std::numeric_limits<std::uint64_t>::max());
    } else if (name == "threads") {
        o.threads = wholeNumber(name, value, 0, kMaxThreads);
    } else if (name == "sigma-fs") {
        o.spread.sigmaFsHz = nonNegativeNumber(name, value);
    } else if (name == "sigma-lm") {
        o.spread.sigmaLmPercent = nonNegativeNumber(name, value);
    } else if (name == "sigma-rm") {
        o.spread.sigmaRmPercent = nonNegativeNumber(name, value);
    } else if (name == "sigma-c0") {
        o.spread.sigmaC0Percent = nonNegativeNumber(name, value);
    } else if (name == "cap-tolerance") {
        o.spread.capacitorTolerancePercent = nonNegativeNumber(name, value, 100);
    } else if (name == "stray") {
        o.spread.strayPf = nonNegativeNumber(name, value);
    } else if (name == "max-ripple") {
        o.targets.maxRippleDb = nonNegativeNumber(name, value);
    } else if (name == "bandwidth-tolerance") {
        o.targets.bandwidthTolerancePercent = nonNegativeNumber(name, value);
    } else if (name == "max-loss") {
        o.targets.maxLossDb = nonNegativeNumber(name, value);
    } else {
        return false;
    }
    return true;
}

void checkCrystalOptions(const CrystalOptions& o) {
    if (o.crystalsFile && o.chooseFromFile) {
        throw UsageError("--crystals and --choose-from cannot be given together");
    }
    if (o.builtPointsFile && !o.anyCrystals()) {
        throw UsageError("--built-points needs --crystals or --choose-from");
    }
    if (o.envelopeFile && !o.monteCarloSamples) {
        throw UsageError("--envelope needs --monte-carlo");
    }
    if (o.monteCarloSamples &&
        static_cast<double>(*o.monteCarloSamples) * o.gridPoints > kMaxStoredLevels) {
        throw UsageError("--monte-carlo times --grid-points must not exceed 50000000");
    }
}

std::string crystalUsageText() {
    return "  --crystals FILE         build the filter with the measured crystals of a CSV\n"
           "                          batch, one per position in order, and report on it\n"
           "  --choose-from FILE      choose the crystals and their positions from a batch\n"
           "  --built-points FILE     write the built filter's curve at the traced points\n"
           "  --monte-carlo K         K samples of the filter as built with spread parts\n"
           "  --sigma-fs HZ           standard deviation of each crystal's Fs (0)\n"
           "  --sigma-lm PCT          standard deviations of Lm, Rm and C0, per cent (0)\n"
           "  --sigma-rm PCT\n"
           "  --sigma-c0 PCT\n"
           "  --cap-tolerance PCT     each capacitor uniform within +- this, per cent (0)\n"
           "  --stray PF              board capacitance at each node with a shunt capacitor:\n"
           "                          added by the Monte-Carlo, taken off the capacitors\n"
           "                          before rounding with --e-series (0)\n"
           "  --seed N                seed of the samples (1)\n"
           "  --threads N             threads of the choice and the samples (0: per core)\n"
           "  --grid-points N         frequencies of each sample (801)\n"
           "  --max-ripple DB         yield targets: ripple at most (1),\n"
           "  --bandwidth-tolerance PCT\n"
           "                          bandwidth within +- PCT of the design's (10),\n"
           "  --max-loss DB           and loss at most (6)\n"
           "  --envelope FILE         write the 5, 50 and 95 % envelopes as CSV\n";
}

}  // namespace trellon::cli
