#pragma once

#include <span>
#include <string>

#include "CrystalBatch.h"

namespace trellon {

// The design's crystal inputs as typed: Fo (kHz), Ld (mH), Rd (ohm) and Cs (pF).
struct CrystalInputTexts {
    std::string foKhz;
    std::string ldMh;
    std::string rdOhm;
    std::string csPf;
};

// The inputs that centre the design on the crystals chosen for it: the medians of their Fs, Lm,
// Rm and C0 (the mean of the middle two for an even count), Fs to the hertz, the others to four
// significant digits, with `decimalSeparator`. Needs at least one crystal.
CrystalInputTexts recentredInputs(std::span<const MeasuredCrystal> chosen, char decimalSeparator);

}  // namespace trellon
