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

// Which circuit a deck holds, named in its first line: the calculation's model (the series end
// capacitors straight to the source and load resistances) or the circuit as it is built (Rin and
// Rout, shunt end capacitors, and whatever the bench adds).
enum class SpiceDeckCircuit { CalculationModel, AsBuilt };

// The deck's first line, naming `circuit`.
const char* spiceDeckTitle(SpiceDeckCircuit circuit);

// Writes the netlist as a SPICE deck that ngspice runs as it is: the source, every branch as
// an R, L or C element, and an AC analysis printing the level of the load voltage in dB.
void writeSpiceDeck(const Netlist& netlist, SpiceDeckCircuit circuit, const SpiceSweep& sweep,
                    std::ostream& out);

// The same with one AC analysis per sweep, in order.
void writeSpiceDeck(const Netlist& netlist, SpiceDeckCircuit circuit,
                    const std::vector<SpiceSweep>& sweeps, std::ostream& out);

}  // namespace trellon
