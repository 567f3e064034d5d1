#pragma once

#include "DesignState.h"

namespace trellon {

// One crystal's equivalent circuit in SI units: the motional arm L, C, R in series, and the
// holder capacitance across it.
struct CrystalModel {
    double motionalInductance = 0;   // H
    double motionalCapacitance = 0;  // F
    double motionalResistance = 0;   // ohm
    double holderCapacitance = 0;    // F
};

// The motional capacitance (F) of a crystal resonating at foKhz with the motional inductance
// ldMh, computed as the synthesis always has, so that equal inputs give equal bits.
inline double motionalCapacitanceOf(double foKhz, double ldMh) {
    return 1 / (39478.417604355091 * foKhz * foKhz * ldMh);
}

// The crystal that the design's inputs describe, converted exactly as the netlists always have.
inline CrystalModel nominalCrystal(const DesignState& state) {
    return {state.Ld * 0.001, state.Cq, state.Rd, state.Cs * 1e-12};
}

}  // namespace trellon
