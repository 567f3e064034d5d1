#include "OscillatorShift.h"

#include <algorithm>
#include <cmath>

#include "CrystalFormulas.h"
#include "OscillatorShiftPhrases.h"

namespace trellon {

namespace {

[[noreturn]] void refuse(const PhraseTemplate& reason) {
    throw PhrasedError(std::vector<Phrase>{{&reason, {}}});
}

}  // namespace

MeasuredCrystal crystalOfOscillatorShift(const OscillatorShift& shift, std::string name) {
    if (!(shift.f1Khz > 0 && shift.f2Khz > 0)) {
        refuse(oscillatorShiftPhrase("shift-frequency-positive"));
    }
    if (!(shift.cl1Pf > 0 && shift.cl2Pf > 0)) {
        refuse(oscillatorShiftPhrase("shift-load-positive"));
    }
    if (!(shift.c0Pf >= 0 && shift.c0Pf <= 1000)) {
        refuse(crystalPhrase("crystal-c0-range"));
    }
    const double load1 = (shift.c0Pf + shift.cl1Pf) * 1e-12;  // C0 + CL1, F
    const double load2 = (shift.c0Pf + shift.cl2Pf) * 1e-12;
    const double step = (shift.cl2Pf - shift.cl1Pf) * 1e-12;  // load2 - load1, exactly as typed
    if (!(std::fabs(step) >= kLeastLoadStep * std::min(load1, load2))) {
        refuse(oscillatorShiftPhrase("shift-load-step"));
    }
    const double f1 = shift.f1Khz * 1e3;
    const double f2 = shift.f2Khz * 1e3;
    // The larger load pulls the crystal less: its frequency is the lower.
    if (!((f1 - f2) * step > 0)) {
        refuse(oscillatorShiftPhrase("shift-order"));
    }
    // f1^2 - f2^2 = Fs^2 Cm (1/load1 - 1/load2): written with the differences as they are, so
    // that the small pulling is not lost to cancellation.
    const double squareStep = (f1 - f2) * (f1 + f2);
    const double fsSquared = f2 * f2 - squareStep * load1 / step;
    if (!(fsSquared > 0) || !std::isfinite(fsSquared)) {
        refuse(oscillatorShiftPhrase("shift-no-crystal"));
    }
    const double cm = squareStep / fsSquared * load1 * load2 / step;
    const double fsHz = std::sqrt(fsSquared);
    MeasuredCrystal crystal;
    crystal.name = std::move(name);
    crystal.fsKhz = fsHz / 1e3;
    crystal.lmMh = 1 / (kTwoPiExact * kTwoPiExact * fsSquared * cm) * 1e3;
    crystal.rmOhm = shift.rmOhm;
    crystal.c0Pf = shift.c0Pf;
    if (const PhraseTemplate* problem = crystalRangeProblem(crystal)) {
        refuse(*problem);
    }
    return crystal;
}

}  // namespace trellon
