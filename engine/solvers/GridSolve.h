#pragma once

#include <span>
#include <vector>

#include "CircuitSolver.h"
#include "Complex.h"

namespace trellon {

// The response of a circuit at one frequency of a grid.
struct GridPoint {
    bool solved = false;  // false where the circuit equations have no solution
    Complex loadVoltage;  // for the 1 V source, so also the transfer ratio
    double levelDb = 0;   // 20 log10 |loadVoltage|; minus infinity for a silent output
};

// Solves the circuit that `solver` was last prepared for at every frequency in Hz, with omega =
// f * kTwoPi as every evaluation of the program computes it, each point bit for bit the
// one-at-a-time result. The work is spread over `threads` threads (0: one per core), each with
// its own solver storage; the points do not depend on the thread count.
std::vector<GridPoint> SolveGrid(const CircuitSolver& solver, std::span<const double> frequenciesHz,
                                 int threads = 0);

// The same for a netlist that no solver has been prepared for yet: prepares storage of its own.
std::vector<GridPoint> SolveNetlistGrid(const Netlist& netlist,
                                        std::span<const double> frequenciesHz, int threads = 0);

}  // namespace trellon
