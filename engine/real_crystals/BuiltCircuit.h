#pragma once

#include <span>
#include <string>
#include <vector>

#include "CrystalModel.h"
#include "DesignState.h"
#include "Netlist.h"

namespace trellon {

enum class BuiltPartKind {
    SeriesCapacitor,
    ShuntCapacitor,
    SeriesInductor,
    ShuntInductor,
    Crystal,  // in the signal path
};

bool isSeriesPart(BuiltPartKind kind);

// A motional arm of a crystal: a series R-L-C in SI units (H, F, ohm). Its spurious modes are
// further arms across the same holder capacitance as its main one.
struct MotionalArm {
    double inductance = 0;
    double capacitance = 0;
    double resistance = 0;

    bool operator==(const MotionalArm&) const = default;
};

// One part the builder solders, under its name on the schematic.
struct BuiltPart {
    BuiltPartKind kind = BuiltPartKind::ShuntCapacitor;
    std::string name;        // "C3", "ZQ2"
    double value = 0;        // F for a capacitor, H for an inductor
    CrystalModel crystal{};  // the crystal's equivalent circuit
    // The ladder node a shunt part stands at, or that a series part leaves towards the output
    // (it arrives at node + 1). The source is node 1, the input terminal node 2.
    int node = 0;
    std::vector<MotionalArm> spurious{};  // the crystal's spurious modes, beside its main arm
    // How many crystals this crystal part stands for, in parallel: two at each end of the
    // quasi-equiripple ladder. The further crystals' arms are among `spurious` and their holder
    // capacitance is part of crystal's.
    int parallelCrystals = 1;
    // Of a pair, what tells its two crystals apart (see CrystalPositions.h): the second
    // crystal's holder capacitance, within crystal's, and how many of `spurious` after the
    // second crystal's main arm are the first crystal's modes; the second's modes follow them.
    double secondHolderCapacitance = 0;
    int firstCrystalModes = 0;
};

// The filter as it is built: the source resistance, the parts in ladder order from the input
// terminal, and the load resistance at the output terminal.
struct BuiltCircuit {
    double sourceResistance = 0;  // ohm
    double loadResistance = 0;    // ohm
    std::vector<BuiltPart> parts;
};

// Numbers the ladder nodes of `circuit.parts` from the input terminal; call after inserting or
// removing parts. Returns the output terminal's node.
int numberLadderNodes(BuiltCircuit& circuit);

// Which parts stand for the board capacitance of their node: the first shunt capacitor at each
// node that has one, so that a node with several counts the board once. `circuit` is numbered.
std::vector<bool> strayTakingParts(const BuiltCircuit& circuit);

// The schematic of the state's topology with its synthesized values at full precision: Rin and
// Rout, the shunt end capacitors, the middle's shunt and series capacitors, and crystals[i] as
// ZQ(i+1). `crystals` holds at least the topology's crystal count.
BuiltCircuit makeBuiltCircuit(const DesignState& state, std::span<const CrystalModel> crystals);

// The same with the nominal crystal of `state` in every position.
BuiltCircuit makeBuiltCircuit(const DesignState& state);

// The netlist of `circuit`: a source of sourceEmf(circuit) volts at node 1 behind the source
// resistance, the ladder, and the load as the output branch. Throws std::length_error when it
// does not fit a Netlist.
void buildNetlist(const BuiltCircuit& circuit, Netlist& netlist);

// The source's EMF in volts: 1 with equal ends, otherwise sqrt(Rs/RL), so that a lossless filter
// that passes all the power the source has gives the load half a volt, as with equal ends. Every
// level of a circuit as built then reads as its loss against the source's available power.
double sourceEmf(const BuiltCircuit& circuit);

}  // namespace trellon
