#pragma once

#include <string>

#include "CrystalBatch.h"

namespace trellon {

// A crystal measured without a network analyser: the frequency it oscillates at with two known
// effective load capacitances in series (strays included), its holder capacitance measured or
// typed, and its motional resistance found by substitution.
struct OscillatorShift {
    double f1Khz = 0;  // with cl1Pf
    double f2Khz = 0;  // with cl2Pf
    double cl1Pf = 0;
    double cl2Pf = 0;
    double c0Pf = 0;
    double rmOhm = 0;
};

// The least step between the two effective loads, relative to C0 plus the smaller load: Fs takes
// the frequencies' error times (rho + 1) / (rho - 1), rho the loads' ratio, so at this step a
// counter's 1e-7 becomes about 4e-6 in Fs.
inline constexpr double kLeastLoadStep = 0.05;

// The crystal under `name` whose lossless motional arm oscillates at both frequencies,
// f = Fs sqrt(1 + Cm / (C0 + CL)): Fs^2 = (rho f2^2 - f1^2) / (rho - 1) with
// rho = (C0 + CL2) / (C0 + CL1), Cm from the difference of the two, Lm = 1 / ((2 pi Fs)^2 Cm).
// Throws PhrasedError for loads closer than kLeastLoadStep, frequencies in the wrong order for
// their loads, and a crystal out of the batch's range (crystalRangeProblem).
MeasuredCrystal crystalOfOscillatorShift(const OscillatorShift& shift, std::string name);

}  // namespace trellon
