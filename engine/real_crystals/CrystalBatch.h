#pragma once

#include <numbers>
#include <string>
#include <vector>

#include "CrystalPhrases.h"

namespace trellon {

// An unwanted resonance of a crystal above its series resonance: a second motional arm across
// the same holder capacitance, given by its distance from Fs (so that it follows Fs when the
// crystal is retrimmed or spread), its inductance and its resistance.
struct SpuriousMode {
    double offsetKhz = 0;  // above Fs
    double lmMh = 0;
    double rmOhm = 0;

    bool operator==(const SpuriousMode&) const = default;
};

// The most spurious modes kept per crystal.
inline constexpr int kMaxSpuriousModes = 3;

// One measured crystal in the window's units.
struct MeasuredCrystal {
    std::string name;
    double fsKhz = 0;                      // series resonance
    double lmMh = 0;                       // motional inductance
    double rmOhm = 0;                      // motional resistance
    double c0Pf = 0;                       // holder capacitance
    std::vector<SpuriousMode> spurious{};  // at most kMaxSpuriousModes, lowest first

    bool operator==(const MeasuredCrystal&) const = default;
};

// The unloaded quality factor, 2 pi Fs Lm / Rm.
inline double unloadedQ(const MeasuredCrystal& crystal) {
    return 2 * std::numbers::pi * crystal.fsKhz * crystal.lmMh / crystal.rmOhm;
}

// The crystals a builder has measured, in the order they were listed; names are unique.
struct CrystalBatch {
    std::vector<MeasuredCrystal> crystals;

    bool operator==(const CrystalBatch&) const = default;
};

// The least motional resistance of a real crystal, ohm: below it the filter's figures are lost
// to rounding.
inline constexpr double kSmallestRmOhm = 1e-3;

// The farthest a spurious mode may lie above Fs, as a share of Fs.
inline constexpr double kMaxSpuriousOffsetShare = 0.1;

// The values a spurious mode of `crystal` may take: an offset above 0 and at most
// kMaxSpuriousOffsetShare of Fs, Lm and Rm in the crystal's own ranges. Returns what is out of
// range, or null.
inline const PhraseTemplate* spuriousRangeProblem(const MeasuredCrystal& crystal,
                                                  const SpuriousMode& mode) {
    if (!(mode.offsetKhz > 0 && mode.offsetKhz <= kMaxSpuriousOffsetShare * crystal.fsKhz)) {
        return &crystalPhrase("spur-offset-range");
    }
    if (!(mode.lmMh >= 1e-3 && mode.lmMh <= 100e3)) {
        return &crystalPhrase("spur-lm-range");
    }
    if (!(mode.rmOhm > kSmallestRmOhm && mode.rmOhm < 100e3)) {
        return &crystalPhrase("spur-rm-range");
    }
    return nullptr;
}

// The values a measured crystal may take: Fs 10 kHz to 500 MHz, Lm 1 µH to 100 H, Rm above
// 1 mohm and below 100 kohm, C0 0 to 1000 pF; at most kMaxSpuriousModes spurious modes, each
// in range, lowest first. Returns what is out of range, or null.
inline const PhraseTemplate* crystalRangeProblem(const MeasuredCrystal& crystal) {
    if (!(crystal.fsKhz >= 10 && crystal.fsKhz <= 500e3)) {
        return &crystalPhrase("crystal-fs-range");
    }
    if (!(crystal.lmMh >= 1e-3 && crystal.lmMh <= 100e3)) {
        return &crystalPhrase("crystal-lm-range");
    }
    if (!(crystal.rmOhm > kSmallestRmOhm && crystal.rmOhm < 100e3)) {
        return &crystalPhrase("crystal-rm-range");
    }
    if (!(crystal.c0Pf >= 0 && crystal.c0Pf <= 1000)) {
        return &crystalPhrase("crystal-c0-range");
    }
    if (crystal.spurious.size() > static_cast<std::size_t>(kMaxSpuriousModes)) {
        return &crystalPhrase("spur-count");
    }
    double below = 0;
    for (const SpuriousMode& mode : crystal.spurious) {
        if (const PhraseTemplate* problem = spuriousRangeProblem(crystal, mode)) {
            return problem;
        }
        if (!(mode.offsetKhz > below)) {
            return &crystalPhrase("spur-order");
        }
        below = mode.offsetKhz;
    }
    return nullptr;
}

}  // namespace trellon
