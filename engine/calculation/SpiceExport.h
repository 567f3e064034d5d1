#pragma once

#include <ostream>
#include <vector>

#include "Netlist.h"

namespace trellon {

// A linear AC sweep: `points` frequencies from startHz to stopHz inclusive.
struct SpiceSweep {
    double startHz;
    double stopHz;
    int points;
};

// Writes the netlist as a SPICE deck that ngspice runs as it is: the source, every branch as
// an R, L or C element, and an AC analysis printing the level of the load voltage in dB.
void writeSpiceDeck(const Netlist& netlist, const SpiceSweep& sweep, std::ostream& out);

// The same with one AC analysis per sweep, in order.
void writeSpiceDeck(const Netlist& netlist, const std::vector<SpiceSweep>& sweeps,
                    std::ostream& out);

}  // namespace trellon
