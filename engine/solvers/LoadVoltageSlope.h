#pragma once

#include <span>
#include <vector>

#include "Complex.h"
#include "Netlist.h"

namespace trellon {

// The load voltage of a circuit at one frequency and its derivative with respect to omega.
struct LoadVoltageSlope {
    bool solved = false;  // false where the nodal equations have no solution
    Complex voltage;      // for the 1 V source, so also the transfer ratio
    Complex slope;        // d voltage / d omega, in V s/rad
};

// Solves the nodal equations Y(omega) V = I(omega) of `netlist` at omega = kTwoPi * f for each
// frequency in Hz, and with the same factorisation of Y their derivative Y V' = I' - Y' V: the
// load voltage and its exact slope, with no difference quotient. The work is spread over
// `threads` threads (0: one per core); the results do not depend on the thread count.
std::vector<LoadVoltageSlope> solveLoadVoltageSlopes(const Netlist& netlist,
                                                     std::span<const double> frequencyHz,
                                                     int threads = 0);

// The group delay -d(arg u)/d omega = -Im(u' / u) of the load voltage u in microseconds at each
// frequency, exact at every point whatever the spacing of the frequencies. NaN where the
// equations have no solution or the output is silent.
std::vector<double> circuitGroupDelayUs(const Netlist& netlist, std::span<const double> frequencyHz,
                                        int threads = 0);

}  // namespace trellon
