#pragma once

#include <memory>
#include <span>

#include "BatchSolver.h"
#include "BuiltCircuit.h"
#include "CircuitSolver.h"
#include "Netlist.h"

namespace trellon {

// A netlist and solvers for circuits as built, reused from one circuit to the next so that
// many circuits (a Monte-Carlo, a choice of crystals) allocate nothing per circuit. Each
// thread needs its own instance. Every level is bit for bit the one-at-a-time solve's.
class BuiltFilterSolver {
public:
    BuiltFilterSolver();

    // Builds the netlist of `circuit`, numbers its nodes along the ladder (the numbering that
    // every level of the built filter is computed with) and prepares the solvers. Throws
    // std::length_error as buildNetlist.
    void prepare(const BuiltCircuit& circuit);

    // The load voltage level (dB, for the 1 V source) at each frequency (Hz); minus infinity
    // where the circuit equations have no solution or the output is silent.
    void solveLevels(std::span<const double> frequenciesHz, std::span<double> levelsDb);

    const CircuitSolver& solver() const { return *solver_; }
    const Netlist& netlist() const { return *netlist_; }

private:
    std::unique_ptr<Netlist> netlist_;
    std::unique_ptr<CircuitSolver> solver_;
    BatchSolver batch_;
};

}  // namespace trellon
