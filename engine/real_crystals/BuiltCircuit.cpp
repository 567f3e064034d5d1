#include "BuiltCircuit.h"

#include <array>
#include <cmath>
#include <set>
#include <stdexcept>

#include "TopologyDescription.h"

namespace trellon {

namespace {

constexpr int kSourceNode = 1;
constexpr int kInputNode = 2;

BuiltPart capacitor(const SchematicCapacitor& c, int number, const DesignState& state) {
    BuiltPart part;
    part.kind = c.series ? BuiltPartKind::SeriesCapacitor : BuiltPartKind::ShuntCapacitor;
    part.name = "C" + std::to_string(number);
    part.value = state.Cap[c.capSlot] * 1e-12;
    return part;
}

// Adds branches to a netlist, refusing to run past its fixed capacities.
class NetlistWriter {
public:
    NetlistWriter(Netlist& netlist, int ladderNodes) : netlist_(netlist) {
        netlist_.branchCount = 0;
        netlist_.nodeCount = ladderNodes;
        requireNode(ladderNodes);
    }

    int add(int from, int to, double conductance, double capacitance, double inductance) {
        if (netlist_.branchCount >= Netlist::kMaxBranches) {
            throw std::length_error("the circuit has too many parts for a netlist");
        }
        netlist_.branches[++netlist_.branchCount] =
            Branch{from, to, conductance, capacitance, inductance};
        return netlist_.branchCount;
    }
    int newNode() {
        requireNode(netlist_.nodeCount + 1);
        return ++netlist_.nodeCount;
    }

    // A crystal between a and b: its motional arm through two inner nodes, its holder across,
    // then each spurious arm through two inner nodes of its own. The second crystal of a pair
    // has its resistance towards a: two arms alike, both with their inductance at a, would
    // short a to ground through the first in the solver's elimination along the ladder and
    // leave the second's inner node nothing but its own resonance, a zero pivot at Fs.
    void addCrystal(int a, int b, const BuiltPart& part) {
        const CrystalModel& q = part.crystal;
        addArm(a, b, {q.motionalInductance, q.motionalCapacitance, q.motionalResistance});
        add(a, b, 0, q.holderCapacitance, 0);
        for (std::size_t k = 0; k < part.spurious.size(); ++k) {
            const bool secondOfPair = k == 0 && part.parallelCrystals == 2;
            addArm(secondOfPair ? b : a, secondOfPair ? a : b, part.spurious[k]);
        }
    }

private:
    void addArm(int a, int b, const MotionalArm& arm) {
        const int inner1 = newNode();
        const int inner2 = newNode();
        add(a, inner1, 0, 0, arm.inductance);
        add(inner1, inner2, 0, arm.capacitance, 0);
        add(inner2, b, 1 / arm.resistance, 0, 0);
    }

    static void requireNode(int node) {
        if (node > Netlist::kMaxNode) {
            throw std::length_error("the circuit has too many nodes for a netlist");
        }
    }
    Netlist& netlist_;
};

}  // namespace

bool isSeriesPart(BuiltPartKind kind) {
    return kind == BuiltPartKind::SeriesCapacitor || kind == BuiltPartKind::SeriesInductor ||
           kind == BuiltPartKind::Crystal;
}

int numberLadderNodes(BuiltCircuit& circuit) {
    int node = kInputNode;
    for (BuiltPart& part : circuit.parts) {
        part.node = node;
        if (isSeriesPart(part.kind)) {
            ++node;
        }
    }
    return node;
}

std::vector<bool> strayTakingParts(const BuiltCircuit& circuit) {
    std::set<int> nodes;
    std::vector<bool> takes;
    for (const BuiltPart& part : circuit.parts) {
        takes.push_back(part.kind == BuiltPartKind::ShuntCapacitor &&
                        nodes.insert(part.node).second);
    }
    return takes;
}

BuiltCircuit makeBuiltCircuit(const DesignState& state, std::span<const CrystalModel> crystals) {
    const TopologyDescription& description = topologyDescription(state.Topology);
    if (crystals.size() < static_cast<std::size_t>(description.crystals)) {
        throw std::invalid_argument("fewer crystals than ladder positions");
    }
    BuiltCircuit circuit;
    circuit.sourceResistance = state.Rin;
    circuit.loadResistance = state.Rin;
    int crystalCount = 0;
    bool afterShunt = false;
    for (int i = 0; i < description.capacitorCount(); ++i) {
        const SchematicCapacitor& c = description.capacitors[i];
        // Two neighbouring shunt capacitors have a crystal between them.
        if (afterShunt && !c.series) {
            BuiltPart crystal;
            crystal.kind = BuiltPartKind::Crystal;
            crystal.name = "ZQ" + std::to_string(crystalCount + 1);
            crystal.crystal = crystals[crystalCount];
            circuit.parts.push_back(crystal);
            ++crystalCount;
        }
        circuit.parts.push_back(capacitor(c, i + 1, state));
        afterShunt = !c.series;
    }
    numberLadderNodes(circuit);
    return circuit;
}

BuiltCircuit makeBuiltCircuit(const DesignState& state) {
    std::array<CrystalModel, kMaxCrystals> crystals;
    crystals.fill(nominalCrystal(state));
    return makeBuiltCircuit(state, crystals);
}

void buildNetlist(const BuiltCircuit& circuit, Netlist& netlist) {
    // Numbered afresh, so that parts inserted since do not need numberLadderNodes first.
    BuiltCircuit numbered = circuit;
    const int outputNode = numberLadderNodes(numbered);
    NetlistWriter writer(netlist, outputNode);
    writer.add(kSourceNode, kInputNode, 1 / circuit.sourceResistance, 0, 0);
    netlist.outputBranch = writer.add(outputNode, 0, 1 / circuit.loadResistance, 0, 0);
    for (const BuiltPart& part : numbered.parts) {
        switch (part.kind) {
            case BuiltPartKind::SeriesCapacitor:
                writer.add(part.node, part.node + 1, 0, part.value, 0);
                break;
            case BuiltPartKind::ShuntCapacitor:
                writer.add(part.node, 0, 0, part.value, 0);
                break;
            case BuiltPartKind::SeriesInductor:
                writer.add(part.node, part.node + 1, 0, 0, part.value);
                break;
            case BuiltPartKind::ShuntInductor:
                writer.add(part.node, 0, 0, 0, part.value);
                break;
            case BuiltPartKind::Crystal:
                writer.addCrystal(part.node, part.node + 1, part);
                break;
        }
    }
    netlist.sourceCount = 1;
    netlist.sources[1] = Source{kSourceNode, 0, Complex{sourceEmf(circuit), 0}};
}

double sourceEmf(const BuiltCircuit& circuit) {
    const double rs = circuit.sourceResistance;
    const double rl = circuit.loadResistance;
    return rs == rl ? 1 : std::sqrt(rs / rl);
}

}  // namespace trellon
