#include "Netlist.h"

#include <span>

namespace trellon {

namespace {

enum class Element { Rsource, Rload, Rd, Ld, Cq, Cs, Cap };

constexpr Element Rsource = Element::Rsource;
constexpr Element Rload = Element::Rload;
constexpr Element Rd = Element::Rd;
constexpr Element Ld = Element::Ld;
constexpr Element Cq = Element::Cq;
constexpr Element Cs = Element::Cs;

struct CapSlot {
    int slot;
};
constexpr CapSlot cap(int slot) {
    return {slot};
}

// One row of a layout: its two nodes and the design value it carries.
struct BranchRow {
    constexpr BranchRow(int f, int t, Element e) : from(f), to(t), element(e) {}
    constexpr BranchRow(int f, int t, CapSlot c)
        : from(f), to(t), element(Element::Cap), capSlot(c.slot) {}
    int from;
    int to;
    Element element;
    int capSlot = 0;
};

// 3-crystal: source at node 13, input node 1, output node 12.
constexpr BranchRow k3Crystal[] = {
    {1, 2, cap(1)},    // input series capacitor
    {2, 3, Ld},        // ZQ1 motional inductance
    {3, 4, Cq},        // ZQ1 motional capacitance
    {4, 5, Rd},        // ZQ1 motional resistance
    {5, 6, Cq},        // ZQ2 motional capacitance
    {6, 7, Ld},        // ZQ2 motional inductance
    {7, 8, Rd},        // ZQ2 motional resistance
    {8, 9, Cq},        // ZQ3 motional capacitance
    {9, 10, Ld},       // ZQ3 motional inductance
    {10, 11, Rd},      // ZQ3 motional resistance
    {12, 0, Rload},    // load (output branch)
    {11, 12, cap(1)},  // output series capacitor
    {2, 5, Cs},        // ZQ1 shunt capacitance
    {5, 0, cap(1)},    // shunt, between ZQ1 and ZQ2
    {5, 8, Cs},        // ZQ2 shunt capacitance
    {8, 0, cap(1)},    // shunt, between ZQ2 and ZQ3
    {8, 11, Cs},       // ZQ3 shunt capacitance
    {1, 13, Rsource},  // source resistance
};

// 4-crystal: source at node 16, input node 1, output node 12.
constexpr BranchRow k4Crystal[] = {
    {1, 2, cap(2)},    // input series capacitor
    {2, 3, Ld},        // ZQ1 motional inductance
    {3, 4, Cq},        // ZQ1 motional capacitance
    {4, 5, Rd},        // ZQ1 motional resistance
    {5, 6, Cq},        // ZQ2 motional capacitance
    {6, 7, Ld},        // ZQ2 motional inductance
    {7, 8, Rd},        // ZQ2 motional resistance
    {8, 9, Cq},        // ZQ3 motional capacitance
    {9, 10, Ld},       // ZQ3 motional inductance
    {10, 11, Rd},      // ZQ3 motional resistance
    {12, 0, Rload},    // load (output branch)
    {15, 12, cap(2)},  // output series capacitor
    {2, 5, Cs},        // ZQ1 shunt capacitance
    {5, 0, cap(1)},    // shunt, between ZQ1 and ZQ2
    {5, 8, Cs},        // ZQ2 shunt capacitance
    {8, 0, cap(2)},    // shunt, between ZQ2 and ZQ3
    {8, 11, Cs},       // ZQ3 shunt capacitance
    {11, 0, cap(1)},   // shunt, between ZQ3 and ZQ4
    {11, 15, Cs},      // ZQ4 shunt capacitance
    {11, 13, Cq},      // ZQ4 motional capacitance
    {13, 14, Ld},      // ZQ4 motional inductance
    {14, 15, Rd},      // ZQ4 motional resistance
    {1, 16, Rsource},  // source resistance
};

// 6-crystal: source at node 1, input node 2, output node 11.
constexpr BranchRow k6Crystal[] = {
    {8, 9, Rd},        // ZQ2 motional resistance
    {1, 2, Rsource},   // source resistance
    {2, 3, cap(2)},    // input series capacitor
    {3, 4, Ld},        // ZQ1 motional inductance
    {4, 5, Cq},        // ZQ1 motional capacitance
    {5, 6, Rd},        // ZQ1 motional resistance
    {3, 6, Cs},        // ZQ1 shunt capacitance
    {6, 0, cap(1)},    // shunt, between ZQ1 and ZQ2
    {6, 7, Ld},        // ZQ2 motional inductance
    {7, 8, Cq},        // ZQ2 motional capacitance
    {11, 0, Rload},    // load (output branch)
    {6, 9, Cs},        // ZQ2 shunt capacitance
    {9, 0, cap(2)},    // shunt, between ZQ2 and ZQ3
    {9, 10, Ld},       // ZQ3 motional inductance
    {10, 14, Cq},      // ZQ3 motional capacitance
    {14, 12, Rd},      // ZQ3 motional resistance
    {9, 12, Cs},       // ZQ3 shunt capacitance
    {12, 13, cap(4)},  // series coupling capacitor
    {13, 0, cap(3)},   // shunt, middle of the coupling T
    {15, 13, cap(4)},  // series coupling capacitor
    {16, 15, Rd},      // ZQ4 motional resistance
    {17, 16, Cq},      // ZQ4 motional capacitance
    {18, 17, Ld},      // ZQ4 motional inductance
    {18, 15, Cs},      // ZQ4 shunt capacitance
    {19, 18, Rd},      // ZQ5 motional resistance
    {20, 19, Cq},      // ZQ5 motional capacitance
    {21, 20, Ld},      // ZQ5 motional inductance
    {21, 18, Cs},      // ZQ5 shunt capacitance
    {18, 0, cap(2)},   // shunt, between ZQ4 and ZQ5
    {21, 0, cap(1)},   // shunt, between ZQ5 and ZQ6
    {24, 21, Cs},      // ZQ6 shunt capacitance
    {22, 21, Rd},      // ZQ6 motional resistance
    {23, 22, Cq},      // ZQ6 motional capacitance
    {24, 23, Ld},      // ZQ6 motional inductance
    {11, 24, cap(2)},  // output series capacitor
};

// 8-crystal: source at node 1, input node 2, output node 32.
constexpr BranchRow k8Crystal[] = {
    {1, 2, Rsource},   // source resistance
    {2, 3, cap(2)},    // input series capacitor
    {3, 4, Ld},        // ZQ1 motional inductance
    {4, 5, Cq},        // ZQ1 motional capacitance
    {5, 6, Rd},        // ZQ1 motional resistance
    {3, 6, Cs},        // ZQ1 shunt capacitance
    {6, 7, Ld},        // ZQ2 motional inductance
    {7, 8, Cq},        // ZQ2 motional capacitance
    {8, 9, Rd},        // ZQ2 motional resistance
    {6, 9, Cs},        // ZQ2 shunt capacitance
    {32, 0, Rload},    // load (output branch)
    {10, 11, Cq},      // ZQ3 motional capacitance
    {11, 12, Rd},      // ZQ3 motional resistance
    {9, 12, Cs},       // ZQ3 shunt capacitance
    {12, 13, cap(6)},  // series coupling capacitor
    {13, 14, Ld},      // ZQ4 motional inductance
    {14, 15, Cq},      // ZQ4 motional capacitance
    {15, 16, Rd},      // ZQ4 motional resistance
    {13, 16, Cs},      // ZQ4 shunt capacitance
    {16, 17, cap(5)},  // series coupling capacitor
    {17, 18, cap(5)},  // series coupling capacitor
    {18, 19, Ld},      // ZQ5 motional inductance
    {19, 20, Cq},      // ZQ5 motional capacitance
    {20, 21, Rd},      // ZQ5 motional resistance
    {18, 21, Cs},      // ZQ5 shunt capacitance
    {21, 22, cap(6)},  // series coupling capacitor
    {22, 23, Ld},      // ZQ6 motional inductance
    {23, 24, Cq},      // ZQ6 motional capacitance
    {24, 25, Rd},      // ZQ6 motional resistance
    {22, 25, Cs},      // ZQ6 shunt capacitance
    {25, 26, Ld},      // ZQ7 motional inductance
    {26, 27, Cq},      // ZQ7 motional capacitance
    {27, 28, Rd},      // ZQ7 motional resistance
    {25, 28, Cs},      // ZQ7 shunt capacitance
    {28, 29, Ld},      // ZQ8 motional inductance
    {29, 30, Cq},      // ZQ8 motional capacitance
    {30, 31, Rd},      // ZQ8 motional resistance
    {28, 31, Cs},      // ZQ8 shunt capacitance
    {31, 32, cap(2)},  // output series capacitor
    {9, 10, Ld},       // ZQ3 motional inductance
    {6, 0, cap(1)},    // shunt, between ZQ1 and ZQ2
    {9, 0, cap(2)},    // shunt, between ZQ2 and ZQ3
    {17, 0, cap(4)},   // shunt, middle of the coupling T
    {21, 0, cap(3)},   // shunt, between ZQ5 and the series capacitor
    {25, 0, cap(2)},   // shunt, between ZQ6 and ZQ7
    {28, 0, cap(1)},   // shunt, between ZQ7 and ZQ8
    {13, 0, cap(3)},   // shunt, between the series capacitor and ZQ4
};

// 4-crystal CW: source at node 1, input node 2, output node 17.
constexpr BranchRow k4CrystalCW[] = {
    {1, 2, Rsource},    // source resistance
    {2, 3, cap(19)},    // input series capacitor
    {3, 4, Rd},         // ZQ1 motional resistance
    {4, 5, Cq},         // ZQ1 motional capacitance
    {5, 6, Ld},         // ZQ1 motional inductance
    {3, 6, Cs},         // ZQ1 shunt capacitance
    {6, 7, Rd},         // ZQ2 motional resistance
    {7, 8, Cq},         // ZQ2 motional capacitance
    {8, 9, Ld},         // ZQ2 motional inductance
    {6, 9, Cs},         // ZQ2 shunt capacitance
    {17, 0, Rload},     // load (output branch)
    {9, 10, cap(20)},   // series coupling capacitor
    {10, 11, Rd},       // ZQ3 motional resistance
    {11, 12, Cq},       // ZQ3 motional capacitance
    {12, 13, Ld},       // ZQ3 motional inductance
    {10, 13, Cs},       // ZQ3 shunt capacitance
    {13, 14, Rd},       // ZQ4 motional resistance
    {14, 15, Cq},       // ZQ4 motional capacitance
    {15, 16, Ld},       // ZQ4 motional inductance
    {13, 16, Cs},       // ZQ4 shunt capacitance
    {16, 17, cap(19)},  // output series capacitor
    {6, 0, cap(1)},     // shunt, between ZQ1 and ZQ2
    {9, 0, cap(21)},    // shunt, between ZQ2 and the series capacitor
    {10, 0, cap(21)},   // shunt, between the series capacitor and ZQ3
    {13, 0, cap(1)},    // shunt, between ZQ3 and ZQ4
};

// 6-crystal CW: source at node 1, input node 2, output node 24.
constexpr BranchRow k6CrystalCW[] = {
    {1, 2, Rsource},    // source resistance
    {2, 3, cap(22)},    // input series capacitor
    {3, 4, Rd},         // ZQ1 motional resistance
    {4, 5, Cq},         // ZQ1 motional capacitance
    {5, 6, Ld},         // ZQ1 motional inductance
    {3, 6, Cs},         // ZQ1 shunt capacitance
    {6, 7, Rd},         // ZQ2 motional resistance
    {7, 8, Cq},         // ZQ2 motional capacitance
    {8, 9, Ld},         // ZQ2 motional inductance
    {6, 9, Cs},         // ZQ2 shunt capacitance
    {24, 0, Rload},     // load (output branch)
    {9, 10, cap(23)},   // series coupling capacitor
    {10, 11, Rd},       // ZQ3 motional resistance
    {11, 12, Cq},       // ZQ3 motional capacitance
    {12, 13, Ld},       // ZQ3 motional inductance
    {10, 13, Cs},       // ZQ3 shunt capacitance
    {13, 14, Rd},       // ZQ4 motional resistance
    {14, 15, Cq},       // ZQ4 motional capacitance
    {15, 16, Ld},       // ZQ4 motional inductance
    {13, 16, Cs},       // ZQ4 shunt capacitance
    {16, 17, cap(23)},  // series coupling capacitor
    {17, 18, Rd},       // ZQ5 motional resistance
    {18, 19, Cq},       // ZQ5 motional capacitance
    {19, 20, Ld},       // ZQ5 motional inductance
    {17, 20, Cs},       // ZQ5 shunt capacitance
    {20, 21, Rd},       // ZQ6 motional resistance
    {21, 22, Cq},       // ZQ6 motional capacitance
    {22, 23, Ld},       // ZQ6 motional inductance
    {20, 23, Cs},       // ZQ6 shunt capacitance
    {23, 24, cap(22)},  // output series capacitor
    {6, 0, cap(1)},     // shunt, between ZQ1 and ZQ2
    {9, 0, cap(25)},    // shunt, between ZQ2 and the series capacitor
    {10, 0, cap(24)},   // shunt, between the series capacitor and ZQ3
    {13, 0, cap(3)},    // shunt, between ZQ3 and ZQ4
    {16, 0, cap(24)},   // shunt, between ZQ4 and the series capacitor
    {17, 0, cap(25)},   // shunt, between the series capacitor and ZQ5
    {20, 0, cap(1)},    // shunt, between ZQ5 and ZQ6
};

// 8-crystal CW: source at node 1, input node 2, output node 31.
constexpr BranchRow k8CrystalCW[] = {
    {1, 2, Rsource},    // source resistance
    {2, 3, cap(1)},     // input series capacitor
    {3, 4, Rd},         // ZQ1 motional resistance
    {4, 5, Cq},         // ZQ1 motional capacitance
    {5, 6, Ld},         // ZQ1 motional inductance
    {3, 6, Cs},         // ZQ1 shunt capacitance
    {6, 7, Rd},         // ZQ2 motional resistance
    {7, 8, Cq},         // ZQ2 motional capacitance
    {8, 9, Ld},         // ZQ2 motional inductance
    {6, 9, Cs},         // ZQ2 shunt capacitance
    {31, 0, Rload},     // load (output branch)
    {9, 10, cap(4)},    // series coupling capacitor
    {10, 11, Rd},       // ZQ3 motional resistance
    {11, 12, Cq},       // ZQ3 motional capacitance
    {12, 13, Ld},       // ZQ3 motional inductance
    {10, 13, Cs},       // ZQ3 shunt capacitance
    {13, 14, Rd},       // ZQ4 motional resistance
    {14, 15, Cq},       // ZQ4 motional capacitance
    {15, 16, Ld},       // ZQ4 motional inductance
    {13, 16, Cs},       // ZQ4 shunt capacitance
    {16, 17, cap(8)},   // series coupling capacitor
    {17, 18, Rd},       // ZQ5 motional resistance
    {18, 19, Cq},       // ZQ5 motional capacitance
    {19, 20, Ld},       // ZQ5 motional inductance
    {17, 20, Cs},       // ZQ5 shunt capacitance
    {20, 21, Rd},       // ZQ6 motional resistance
    {21, 22, Cq},       // ZQ6 motional capacitance
    {22, 23, Ld},       // ZQ6 motional inductance
    {20, 23, Cs},       // ZQ6 shunt capacitance
    {23, 24, cap(12)},  // series coupling capacitor
    {24, 25, Rd},       // ZQ7 motional resistance
    {25, 26, Cq},       // ZQ7 motional capacitance
    {26, 27, Ld},       // ZQ7 motional inductance
    {24, 27, Cs},       // ZQ7 shunt capacitance
    {27, 28, Rd},       // ZQ8 motional resistance
    {28, 29, Cq},       // ZQ8 motional capacitance
    {29, 30, Ld},       // ZQ8 motional inductance
    {27, 30, Cs},       // ZQ8 shunt capacitance
    {30, 31, cap(15)},  // output series capacitor
    {6, 0, cap(2)},     // shunt, between ZQ1 and ZQ2
    {9, 0, cap(3)},     // shunt, between ZQ2 and the series capacitor
    {10, 0, cap(5)},    // shunt, between the series capacitor and ZQ3
    {13, 0, cap(6)},    // shunt, between ZQ3 and ZQ4
    {16, 0, cap(7)},    // shunt, between ZQ4 and the series capacitor
    {17, 0, cap(9)},    // shunt, between the series capacitor and ZQ5
    {20, 0, cap(10)},   // shunt, between ZQ5 and ZQ6
    {23, 0, cap(11)},   // shunt, between ZQ6 and the series capacitor
    {24, 0, cap(13)},   // shunt, between the series capacitor and ZQ7
    {27, 0, cap(14)},   // shunt, between ZQ7 and ZQ8
};

struct Layout {
    int nodeCount;
    int sourceNode;
    std::span<const BranchRow> branches;
};

const Layout kLayouts[] = {
    {13, 13, k3Crystal},  {16, 16, k4Crystal},  {24, 1, k6Crystal},   {32, 1, k8Crystal},
    {17, 1, k4CrystalCW}, {24, 1, k6CrystalCW}, {31, 1, k8CrystalCW},
};

Branch makeBranch(const BranchRow& row, const DesignState& s) {
    Branch b;
    b.fromNode = row.from;
    b.toNode = row.to;
    switch (row.element) {
        case Element::Rsource:
            b.conductance = 1 / s.Rsource;
            break;
        case Element::Rload:
            b.conductance = 1 / s.Rload;
            break;
        case Element::Rd:
            b.conductance = 1 / s.Rd;
            break;
        case Element::Ld:
            b.inductance = s.Ld * 0.001;
            break;
        case Element::Cq:
            b.capacitance = s.Cq;
            break;
        case Element::Cs:
            b.capacitance = s.Cs * 1e-12;
            break;
        case Element::Cap:
            b.capacitance = s.Cap[row.capSlot] * 1e-12;
            break;
    }
    return b;
}

}  // namespace

void buildNetlist(int topologyIndex, const DesignState& state, Netlist& netlist) {
    const Layout& layout = kLayouts[topologyIndex];
    netlist.nodeCount = layout.nodeCount;
    netlist.branchCount = static_cast<int>(layout.branches.size());
    netlist.sourceCount = 1;
    for (int i = 0; i < netlist.branchCount; ++i) {
        netlist.branches[i + 1] = makeBranch(layout.branches[i], state);
    }
    netlist.sources[1] = Source{layout.sourceNode, 0, Complex{1, 0}};
}

}  // namespace trellon
