#include "Netlist.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "Catalogue.h"

namespace trellon {
namespace {

struct Layout {
    int nodes, branches, sourceNode, inputNode, outputNode;
    std::multiset<int> seriesSlots, shuntSlots;  // Cap slots, series in the chain or to ground
    int inputSlot, outputSlot;                   // the series capacitors next to the terminations
};

const Layout kLayouts[] = {
    {13, 18, 13, 1, 12, {1, 1}, {1, 1}, 1, 1},
    {16, 23, 16, 1, 12, {2, 2}, {1, 2, 1}, 2, 2},
    {24, 35, 1, 2, 11, {2, 4, 4, 2}, {1, 2, 3, 2, 1}, 2, 2},
    {32, 47, 1, 2, 32, {2, 6, 5, 5, 6, 2}, {1, 2, 3, 4, 3, 2, 1}, 2, 2},
    {17, 25, 1, 2, 17, {19, 20, 19}, {1, 21, 21, 1}, 19, 19},
    {24, 37, 1, 2, 24, {22, 23, 23, 22}, {1, 25, 24, 3, 24, 25, 1}, 22, 22},
    {31, 49, 1, 2, 31, {1, 4, 8, 12, 15}, {2, 3, 5, 6, 7, 9, 10, 11, 13, 14}, 1, 15},
};

enum class ElementKind { Rsource, Rload, Rd, Ld, Cq, Cs, Cap, Unknown };

// Every value distinct, so that a branch's value tells which design value it came from.
DesignState distinctValues() {
    DesignState s;
    s.Rsource = 300;
    s.Rload = 400;
    s.Rd = 7;
    s.Ld = 17;
    s.Cq = 1.9e-14;
    s.Cs = 3.3;
    for (int slot = 1; slot <= 25; ++slot) {
        s.Cap[slot] = 100 + slot;
    }
    return s;
}

class NetlistLayout : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { buildNetlist(GetParam(), state, netlist); }

    const Layout& layout() const { return kLayouts[GetParam()]; }

    // Which design value the branch carries, judged by exact value; Unknown unless it carries
    // exactly one element.
    ElementKind kindOf(const Branch& b, int* slot = nullptr) const {
        const int elements = (b.conductance != 0) + (b.capacitance != 0) + (b.inductance != 0);
        if (elements != 1) {
            return ElementKind::Unknown;
        }
        if (b.inductance == state.Ld * 0.001) {
            return ElementKind::Ld;
        }
        if (b.conductance == 1 / state.Rsource) {
            return ElementKind::Rsource;
        }
        if (b.conductance == 1 / state.Rload) {
            return ElementKind::Rload;
        }
        if (b.conductance == 1 / state.Rd) {
            return ElementKind::Rd;
        }
        if (b.capacitance == state.Cq) {
            return ElementKind::Cq;
        }
        if (b.capacitance == state.Cs * 1e-12) {
            return ElementKind::Cs;
        }
        const int k = static_cast<int>(std::lround(b.capacitance * 1e12)) - 100;
        if (k >= 1 && k <= 25 && b.capacitance == state.Cap[k] * 1e-12) {
            if (slot != nullptr) {
                *slot = k;
            }
            return ElementKind::Cap;
        }
        return ElementKind::Unknown;
    }

    std::vector<int> branchesAt(int node) const {
        std::vector<int> found;
        for (int i = 1; i <= netlist.branchCount; ++i) {
            if (netlist.branches[i].fromNode == node || netlist.branches[i].toNode == node) {
                found.push_back(i);
            }
        }
        return found;
    }

    int otherEnd(int branch, int node) const {
        const Branch& b = netlist.branches[branch];
        return b.fromNode == node ? b.toNode : b.fromNode;
    }

    DesignState state = distinctValues();
    Netlist netlist;
};

TEST_P(NetlistLayout, CountsSourceAndTerminations) {
    const Layout& l = layout();
    EXPECT_EQ(netlist.nodeCount, l.nodes);
    EXPECT_EQ(netlist.branchCount, l.branches);
    ASSERT_EQ(netlist.sourceCount, 1);
    const Source& source = netlist.sources[1];
    EXPECT_EQ(source.sourceNode, l.sourceNode);
    EXPECT_EQ(source.referenceNode, 0);
    EXPECT_EQ(source.sourceVoltage.re, 1);
    EXPECT_EQ(source.sourceVoltage.im, 0);

    const Branch& load = netlist.branches[Netlist::kOutputBranch];
    EXPECT_EQ(kindOf(load), ElementKind::Rload);
    EXPECT_EQ(load.fromNode, l.outputNode);
    EXPECT_EQ(load.toNode, 0);

    // The source node feeds only the source resistance, which ends at the input node.
    const std::vector<int> atSource = branchesAt(l.sourceNode);
    ASSERT_EQ(atSource.size(), 1u);
    EXPECT_EQ(kindOf(netlist.branches[atSource[0]]), ElementKind::Rsource);
    EXPECT_EQ(otherEnd(atSource[0], l.sourceNode), l.inputNode);

    // Each termination meets the ladder through its series end capacitor alone.
    for (auto [node, endSlot] :
         {std::pair{l.inputNode, l.inputSlot}, {l.outputNode, l.outputSlot}}) {
        SCOPED_TRACE("node " + std::to_string(node));
        const std::vector<int> at = branchesAt(node);
        ASSERT_EQ(at.size(), 2u);
        int slot = 0;
        const int end = kindOf(netlist.branches[at[0]]) == ElementKind::Cap ? at[0] : at[1];
        ASSERT_EQ(kindOf(netlist.branches[end], &slot), ElementKind::Cap);
        EXPECT_EQ(slot, endSlot);
        EXPECT_NE(otherEnd(end, node), 0);
    }
}

TEST_P(NetlistLayout, EveryBranchCarriesOneDesignValue) {
    const int crystals = crystalCount(GetParam() + 1);
    std::map<ElementKind, int> counts;
    std::multiset<int> series, shunt;
    for (int i = 1; i <= netlist.branchCount; ++i) {
        int slot = 0;
        const ElementKind p = kindOf(netlist.branches[i], &slot);
        EXPECT_NE(p, ElementKind::Unknown) << "branch " << i;
        ++counts[p];
        if (p == ElementKind::Cap) {
            (netlist.branches[i].toNode == 0 ? shunt : series).insert(slot);
        }
    }
    EXPECT_EQ(counts[ElementKind::Rsource], 1);
    EXPECT_EQ(counts[ElementKind::Rload], 1);
    for (ElementKind p : {ElementKind::Rd, ElementKind::Ld, ElementKind::Cq, ElementKind::Cs}) {
        EXPECT_EQ(counts[p], crystals);
    }
    EXPECT_EQ(counts[ElementKind::Cap], capacitorCount(GetParam() + 1));
    EXPECT_EQ(series, layout().seriesSlots);
    EXPECT_EQ(shunt, layout().shuntSlots);
}

TEST_P(NetlistLayout, NodesFormOneConnectedCircuitGroundedOnlyByShuntsAndLoad) {
    std::vector<std::vector<int>> neighbours(netlist.nodeCount + 1);
    for (int i = 1; i <= netlist.branchCount; ++i) {
        const Branch& b = netlist.branches[i];
        EXPECT_NE(b.fromNode, b.toNode) << "branch " << i;
        EXPECT_NE(b.fromNode, 0) << "branch " << i;
        if (b.toNode == 0) {
            EXPECT_TRUE(i == Netlist::kOutputBranch || kindOf(b) == ElementKind::Cap)
                << "branch " << i;
        }
        ASSERT_TRUE(b.fromNode >= 0 && b.fromNode <= netlist.nodeCount) << "branch " << i;
        ASSERT_TRUE(b.toNode >= 0 && b.toNode <= netlist.nodeCount) << "branch " << i;
        neighbours[b.fromNode].push_back(b.toNode);
        neighbours[b.toNode].push_back(b.fromNode);
    }
    std::vector<bool> reached(netlist.nodeCount + 1, false);
    std::vector<int> pending{0};
    reached[0] = true;
    while (!pending.empty()) {
        const int node = pending.back();
        pending.pop_back();
        for (int next : neighbours[node]) {
            if (!reached[next]) {
                reached[next] = true;
                pending.push_back(next);
            }
        }
    }
    for (int node = 1; node <= netlist.nodeCount; ++node) {
        EXPECT_TRUE(reached[node]) << "node " << node;
    }
}

// Each crystal is its shunt capacitance Cs in parallel with a motional arm of Rd, Ld and Cq in
// series through two inner nodes that nothing else touches.
TEST_P(NetlistLayout, CrystalsAreMotionalArmsAcrossTheirShuntCapacitance) {
    auto isMotional = [this](int b) {
        const ElementKind p = kindOf(netlist.branches[b]);
        return p == ElementKind::Rd || p == ElementKind::Ld || p == ElementKind::Cq;
    };
    for (int i = 1; i <= netlist.branchCount; ++i) {
        if (kindOf(netlist.branches[i]) != ElementKind::Cs) {
            continue;
        }
        SCOPED_TRACE("shunt capacitance at branch " + std::to_string(i));
        const int start = netlist.branches[i].fromNode;
        int arms = 0;
        for (int first : branchesAt(start)) {
            if (!isMotional(first)) {
                continue;
            }
            // Walk on through nodes with two branches only.
            std::multiset<ElementKind> arm{kindOf(netlist.branches[first])};
            int node = otherEnd(first, start);
            int previous = first;
            while (branchesAt(node).size() == 2) {
                const std::vector<int> at = branchesAt(node);
                previous = at[0] == previous ? at[1] : at[0];
                arm.insert(kindOf(netlist.branches[previous]));
                node = otherEnd(previous, node);
            }
            if (node == netlist.branches[i].toNode) {
                ++arms;
                EXPECT_EQ(arm, (std::multiset<ElementKind>{ElementKind::Rd, ElementKind::Ld,
                                                           ElementKind::Cq}));
            }
        }
        EXPECT_EQ(arms, 1);
    }
}

TEST_P(NetlistLayout, ZeroShuntCapacitanceKeepsItsBranches) {
    state.Cs = 0;
    buildNetlist(GetParam(), state, netlist);
    EXPECT_EQ(netlist.branchCount, layout().branches);
    int empty = 0;
    for (int i = 1; i <= netlist.branchCount; ++i) {
        const Branch& b = netlist.branches[i];
        empty += b.conductance == 0 && b.capacitance == 0 && b.inductance == 0;
    }
    EXPECT_EQ(empty, crystalCount(GetParam() + 1));
}

INSTANTIATE_TEST_SUITE_P(Topologies, NetlistLayout, ::testing::Range(0, kTopologyCount),
                         [](const auto& info) {
                             std::string name = topologyComboText(info.param + 1);
                             std::replace_if(
                                 name.begin(), name.end(),
                                 [](char c) { return c == '-' || c == ' '; }, '_');
                             return name;
                         });

}  // namespace
}  // namespace trellon
