#pragma once

#include "CrystalFormulas.h"
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

// The crystal that the design's inputs describe, converted exactly as the netlists always have.
inline CrystalModel nominalCrystal(const DesignState& state) {
    return {state.Ld * 0.001, state.Cq, state.Rd, state.Cs * 1e-12};
}

}  // namespace trellon
