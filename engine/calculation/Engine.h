#pragma once

#include <cmath>
#include <memory>

#include "CircuitSolver.h"
#include "CurvePoints.h"
#include "DesignState.h"
#include "Netlist.h"

namespace trellon {

// The engine's one shared instance for a whole run: the design record, the current circuit
// model, the solver's storage and the last traced curve, overwritten by each calculation.
// It is large: allocate it once on the heap, with makeEngine().
struct Engine {
    Engine() = default;
    // The solver refers to the netlist beside it: a copy would solve the original's circuit.
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    DesignState state;
    Netlist netlist;
    CircuitSolver solver{netlist};
    CurvePoints curve;
};

inline std::unique_ptr<Engine> makeEngine() {
    return std::make_unique_for_overwrite<Engine>();
}

// The level of a load matched to its source, relative to the source's open voltage: 20*log10(2).
inline const double kMatchedLoadLossDb = 20 * std::log10(2.0);

}  // namespace trellon
