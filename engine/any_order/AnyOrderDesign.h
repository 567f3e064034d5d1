#pragma once

#include <string>
#include <vector>

#include "AnyOrderFamily.h"
#include "BuiltCircuit.h"
#include "CrystalLadder.h"

namespace trellon {

// What an any-order design is made from.
struct AnyOrderInputs {
    AnyOrderFamily family = AnyOrderFamily::Butterworth;
    int order = 4;           // crystals, 2 to 16
    double rippleDb = 0.1;   // Chebyshev's, 0.01 to 3 dB; ignored by the other families
    double bandwidthHz = 0;  // between the family's band edges
    LadderCrystal crystal;
};

// The motional resistance of a crystal of unloaded Q `q`.
double motionalResistanceForQ(const LadderCrystal& crystal, double q);

// A finished any-order design; its circuit is what every analysis of a filter as built takes.
struct AnyOrderDesign {
    AnyOrderInputs inputs;
    BuiltCircuit circuit;          // Rin, then ZQ1..ZQN, C1..C(N-1) and Cs<mesh> in ladder order
    double designFrequencyHz = 0;  // fd, where every mesh resonates
    double designBandwidthHz = 0;  // the closed form's bandwidth, corrected on the simulation
    double simulatedLowerHz = 0;   // the band edges of the circuit as built
    double simulatedUpperHz = 0;
    double edgeLossDb = 0;          // the loss that marks the band edges
    double largestBandwidthHz = 0;  // the widest band the crystal allows for family and order
    double unloadedQ0 = 0;          // Qu·BW/F0
    double minimumQ0 = 0;           // the family's least q0 for this order
    double expectedLossDb = 0;      // 4.343·Σg/q0, from the prototype
    double simulatedLossDb = 0;     // the least loss of the circuit as built, to matched ends
    // Whether ZQ1 and ZQN each stand for two crystals in parallel (the quasi-equiripple ladder):
    // their part is a pair of nominal crystals (parallelCrystals = 2).
    bool doubledEnds = false;

    bool tooLossy() const { return unloadedQ0 < minimumQ0; }
    double simulatedBandwidthHz() const { return simulatedUpperHz - simulatedLowerHz; }
};

// Designs the ladder: the family's prototype, the C0-aware closed form, then its bandwidth
// scaled until the simulated band is within 0.1 % of the target (refused beyond 1 %). Throws
// PhrasedError on inputs out of range, a bandwidth beyond the crystal's largest, or a zero or
// negative capacitor.
AnyOrderDesign designAnyOrder(const AnyOrderInputs& inputs);

}  // namespace trellon
