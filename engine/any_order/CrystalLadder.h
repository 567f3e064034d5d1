#pragma once

#include "BuiltCircuit.h"
#include "CoupledPrototype.h"

namespace trellon {

// The crystal every position of an any-order ladder holds, in SI units.
struct LadderCrystal {
    double seriesFrequencyHz = 0;   // Fs
    double motionalInductance = 0;  // Lm, H
    double holderCapacitance = 0;   // C0, F; 0 for none
    double motionalResistance = 0;  // Rm, ohm; positive
};

CrystalModel crystalModel(const LadderCrystal& crystal);

// The crystal from its figures in the units they are typed in: Fs in kHz, Lm in mH, C0 in pF and
// Rm in ohm.
inline LadderCrystal typedLadderCrystal(double fsKhz, double lmMh, double c0Pf, double rmOhm) {
    return {fsKhz * 1e3, lmMh * 1e-3, c0Pf * 1e-12, rmOhm};
}

// The widest design bandwidth (Hz) the crystal allows for the prototype: where the largest mesh
// sum, tuned with the effective inductance, needs the whole reactance the crystal has below its
// parallel resonance, about (Fp - Fs)/(2·the largest mesh sum). Infinite without C0.
double largestBandwidth(const LadderCrystal& crystal, const CoupledPrototype& prototype);

// The ladder of N = prototype.order() crystals for the design bandwidth (Hz), with C0 accounted
// for: each crystal stands for its effective inductance Leff = ½·dX/dω at the design frequency
// fd, which lies between Fs and Fp where the mesh with the largest sum of couplings resonates
// with no series capacitor. Every other mesh gets the series capacitor that tunes it to fd.
struct CrystalLadder {
    BuiltCircuit circuit;            // Rin, Cs1, ZQ1, C1, Cs2, ZQ2, C2, ..., ZQN, CsN, Rout
    double designFrequencyHz = 0;    // fd
    double effectiveInductance = 0;  // Leff at fd, H
};

// Throws PhrasedError when the bandwidth exceeds largestBandwidth or a capacitor would be zero
// or negative.
CrystalLadder crystalLadder(const LadderCrystal& crystal, const CoupledPrototype& prototype,
                            double designBandwidthHz);

}  // namespace trellon
