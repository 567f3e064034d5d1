#include "Netlist.h"

#include <stdexcept>

#include "Catalogue.h"

namespace trellon {

namespace {

Branch makeBranch(const ModelBranchRow& row, const DesignState& s,
                  std::span<const CrystalModel> crystals) {
    Branch b;
    b.fromNode = row.from;
    b.toNode = row.to;
    switch (row.element) {
        case ModelElement::Rsource:
            b.conductance = 1 / s.Rsource;
            break;
        case ModelElement::Rload:
            b.conductance = 1 / s.Rload;
            break;
        case ModelElement::MotionalResistance:
            b.conductance = 1 / crystals[row.index - 1].motionalResistance;
            break;
        case ModelElement::MotionalInductance:
            b.inductance = crystals[row.index - 1].motionalInductance;
            break;
        case ModelElement::MotionalCapacitance:
            b.capacitance = crystals[row.index - 1].motionalCapacitance;
            break;
        case ModelElement::HolderCapacitance:
            b.capacitance = crystals[row.index - 1].holderCapacitance;
            break;
        case ModelElement::Cap:
            b.capacitance = s.Cap[row.index] * 1e-12;
            break;
    }
    return b;
}

}  // namespace

void buildNetlist(int topologyIndex, const DesignState& state,
                  std::span<const CrystalModel> crystals, Netlist& netlist) {
    const TopologyDescription& description = topologyDescription(topologyFromIndex(topologyIndex));
    if (crystals.size() < static_cast<std::size_t>(description.crystals)) {
        throw std::invalid_argument("fewer crystals than ladder positions");
    }
    const ModelLayout& layout = description.model;
    netlist.nodeCount = layout.nodeCount;
    netlist.branchCount = static_cast<int>(layout.branches.size());
    netlist.sourceCount = 1;
    netlist.outputBranch = Netlist::kOutputBranch;
    for (int i = 0; i < netlist.branchCount; ++i) {
        netlist.branches[i + 1] = makeBranch(layout.branches[i], state, crystals);
    }
    netlist.sources[1] = Source{layout.sourceNode, 0, Complex{1, 0}};
}

void buildNetlist(int topologyIndex, const DesignState& state, Netlist& netlist) {
    std::array<CrystalModel, kMaxCrystals> crystals;
    crystals.fill(nominalCrystal(state));
    buildNetlist(topologyIndex, state, crystals, netlist);
}

}  // namespace trellon
