#pragma once

#include "CircuitSolver.h"
#include "DesignState.h"
#include "Netlist.h"

namespace trellon {

// The engine's one shared instance for a whole run: the design record, the current circuit
// model and the solver's storage, overwritten by each calculation.
struct Engine {
    DesignState state;
    Netlist netlist;
    CircuitSolver solver{netlist};
};

// 2*pi as every computation of the program uses it, and its square.
inline constexpr double kTwoPi = 6.2831853071794;
inline constexpr double kTwoPiSquared = 39.478417604355091;

}  // namespace trellon
