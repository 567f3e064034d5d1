#pragma once

#include <span>
#include <vector>

#include "BuiltCircuit.h"
#include "Complex.h"

namespace trellon {

// What the stages around the filter see at its input terminal, as the builder connects it: the
// circuit as built, with the shunt end capacitor, driven through its source resistance Rin and
// loaded by its load resistance.
struct TerminalPoint {
    bool solved = false;      // false where the circuit equations have no solution
    Complex inputImpedance;   // ohm, R + jX
    double returnLossDb = 0;  // positive; against the source resistance; infinite when matched
};

std::vector<TerminalPoint> inputTerminal(const BuiltCircuit& circuit,
                                         std::span<const double> frequenciesHz);

// The S-parameters of the circuit as built as a two-port, both ports referred to its source
// resistance (the load resistance is replaced by it). The ladder is solved from each port, so a
// ladder of unequal crystals gives its own S22 and S12.
struct SParameters {
    double referenceOhm = 0;
    std::vector<double> frequencyHz;
    std::vector<Complex> s11, s21, s12, s22;  // zero where the equations have no solution
};

SParameters sParameters(const BuiltCircuit& circuit, std::span<const double> frequenciesHz);

}  // namespace trellon
