#include "TopologyDescription.h"

#include <iterator>
#include <stdexcept>
#include <string>

namespace trellon {

namespace {

// Short names for the rows of the model layouts below.
constexpr ModelElement Rsource = ModelElement::Rsource;
constexpr ModelElement Rload = ModelElement::Rload;
constexpr ModelElement R = ModelElement::MotionalResistance;
constexpr ModelElement L = ModelElement::MotionalInductance;
constexpr ModelElement C = ModelElement::MotionalCapacitance;
constexpr ModelElement Cs = ModelElement::HolderCapacitance;
constexpr ModelElement Cap = ModelElement::Cap;

// The circuit models. The load stands at row 11 of every one (Netlist::kOutputBranch).

// 3-crystal: source at node 13, input node 1, output node 12.
constexpr ModelBranchRow k3Crystal[] = {
    {1, 2, Cap, 1},    // input series capacitor
    {2, 3, L, 1},      // ZQ1 motional inductance
    {3, 4, C, 1},      // ZQ1 motional capacitance
    {4, 5, R, 1},      // ZQ1 motional resistance
    {5, 6, C, 2},      // ZQ2 motional capacitance
    {6, 7, L, 2},      // ZQ2 motional inductance
    {7, 8, R, 2},      // ZQ2 motional resistance
    {8, 9, C, 3},      // ZQ3 motional capacitance
    {9, 10, L, 3},     // ZQ3 motional inductance
    {10, 11, R, 3},    // ZQ3 motional resistance
    {12, 0, Rload},    // load (output branch)
    {11, 12, Cap, 1},  // output series capacitor
    {2, 5, Cs, 1},     // ZQ1 shunt capacitance
    {5, 0, Cap, 1},    // shunt, between ZQ1 and ZQ2
    {5, 8, Cs, 2},     // ZQ2 shunt capacitance
    {8, 0, Cap, 1},    // shunt, between ZQ2 and ZQ3
    {8, 11, Cs, 3},    // ZQ3 shunt capacitance
    {1, 13, Rsource},  // source resistance
};

// 4-crystal: source at node 16, input node 1, output node 12.
constexpr ModelBranchRow k4Crystal[] = {
    {1, 2, Cap, 2},    // input series capacitor
    {2, 3, L, 1},      // ZQ1 motional inductance
    {3, 4, C, 1},      // ZQ1 motional capacitance
    {4, 5, R, 1},      // ZQ1 motional resistance
    {5, 6, C, 2},      // ZQ2 motional capacitance
    {6, 7, L, 2},      // ZQ2 motional inductance
    {7, 8, R, 2},      // ZQ2 motional resistance
    {8, 9, C, 3},      // ZQ3 motional capacitance
    {9, 10, L, 3},     // ZQ3 motional inductance
    {10, 11, R, 3},    // ZQ3 motional resistance
    {12, 0, Rload},    // load (output branch)
    {15, 12, Cap, 2},  // output series capacitor
    {2, 5, Cs, 1},     // ZQ1 shunt capacitance
    {5, 0, Cap, 1},    // shunt, between ZQ1 and ZQ2
    {5, 8, Cs, 2},     // ZQ2 shunt capacitance
    {8, 0, Cap, 2},    // shunt, between ZQ2 and ZQ3
    {8, 11, Cs, 3},    // ZQ3 shunt capacitance
    {11, 0, Cap, 1},   // shunt, between ZQ3 and ZQ4
    {11, 15, Cs, 4},   // ZQ4 shunt capacitance
    {11, 13, C, 4},    // ZQ4 motional capacitance
    {13, 14, L, 4},    // ZQ4 motional inductance
    {14, 15, R, 4},    // ZQ4 motional resistance
    {1, 16, Rsource},  // source resistance
};

// 6-crystal: source at node 1, input node 2, output node 11.
constexpr ModelBranchRow k6Crystal[] = {
    {8, 9, R, 2},      // ZQ2 motional resistance
    {1, 2, Rsource},   // source resistance
    {2, 3, Cap, 2},    // input series capacitor
    {3, 4, L, 1},      // ZQ1 motional inductance
    {4, 5, C, 1},      // ZQ1 motional capacitance
    {5, 6, R, 1},      // ZQ1 motional resistance
    {3, 6, Cs, 1},     // ZQ1 shunt capacitance
    {6, 0, Cap, 1},    // shunt, between ZQ1 and ZQ2
    {6, 7, L, 2},      // ZQ2 motional inductance
    {7, 8, C, 2},      // ZQ2 motional capacitance
    {11, 0, Rload},    // load (output branch)
    {6, 9, Cs, 2},     // ZQ2 shunt capacitance
    {9, 0, Cap, 2},    // shunt, between ZQ2 and ZQ3
    {9, 10, L, 3},     // ZQ3 motional inductance
    {10, 14, C, 3},    // ZQ3 motional capacitance
    {14, 12, R, 3},    // ZQ3 motional resistance
    {9, 12, Cs, 3},    // ZQ3 shunt capacitance
    {12, 13, Cap, 4},  // series coupling capacitor
    {13, 0, Cap, 3},   // shunt, middle of the coupling T
    {15, 13, Cap, 4},  // series coupling capacitor
    {16, 15, R, 4},    // ZQ4 motional resistance
    {17, 16, C, 4},    // ZQ4 motional capacitance
    {18, 17, L, 4},    // ZQ4 motional inductance
    {18, 15, Cs, 4},   // ZQ4 shunt capacitance
    {19, 18, R, 5},    // ZQ5 motional resistance
    {20, 19, C, 5},    // ZQ5 motional capacitance
    {21, 20, L, 5},    // ZQ5 motional inductance
    {21, 18, Cs, 5},   // ZQ5 shunt capacitance
    {18, 0, Cap, 2},   // shunt, between ZQ4 and ZQ5
    {21, 0, Cap, 1},   // shunt, between ZQ5 and ZQ6
    {24, 21, Cs, 6},   // ZQ6 shunt capacitance
    {22, 21, R, 6},    // ZQ6 motional resistance
    {23, 22, C, 6},    // ZQ6 motional capacitance
    {24, 23, L, 6},    // ZQ6 motional inductance
    {11, 24, Cap, 2},  // output series capacitor
};

// 8-crystal: source at node 1, input node 2, output node 32.
constexpr ModelBranchRow k8Crystal[] = {
    {1, 2, Rsource},   // source resistance
    {2, 3, Cap, 2},    // input series capacitor
    {3, 4, L, 1},      // ZQ1 motional inductance
    {4, 5, C, 1},      // ZQ1 motional capacitance
    {5, 6, R, 1},      // ZQ1 motional resistance
    {3, 6, Cs, 1},     // ZQ1 shunt capacitance
    {6, 7, L, 2},      // ZQ2 motional inductance
    {7, 8, C, 2},      // ZQ2 motional capacitance
    {8, 9, R, 2},      // ZQ2 motional resistance
    {6, 9, Cs, 2},     // ZQ2 shunt capacitance
    {32, 0, Rload},    // load (output branch)
    {10, 11, C, 3},    // ZQ3 motional capacitance
    {11, 12, R, 3},    // ZQ3 motional resistance
    {9, 12, Cs, 3},    // ZQ3 shunt capacitance
    {12, 13, Cap, 6},  // series coupling capacitor
    {13, 14, L, 4},    // ZQ4 motional inductance
    {14, 15, C, 4},    // ZQ4 motional capacitance
    {15, 16, R, 4},    // ZQ4 motional resistance
    {13, 16, Cs, 4},   // ZQ4 shunt capacitance
    {16, 17, Cap, 5},  // series coupling capacitor
    {17, 18, Cap, 5},  // series coupling capacitor
    {18, 19, L, 5},    // ZQ5 motional inductance
    {19, 20, C, 5},    // ZQ5 motional capacitance
    {20, 21, R, 5},    // ZQ5 motional resistance
    {18, 21, Cs, 5},   // ZQ5 shunt capacitance
    {21, 22, Cap, 6},  // series coupling capacitor
    {22, 23, L, 6},    // ZQ6 motional inductance
    {23, 24, C, 6},    // ZQ6 motional capacitance
    {24, 25, R, 6},    // ZQ6 motional resistance
    {22, 25, Cs, 6},   // ZQ6 shunt capacitance
    {25, 26, L, 7},    // ZQ7 motional inductance
    {26, 27, C, 7},    // ZQ7 motional capacitance
    {27, 28, R, 7},    // ZQ7 motional resistance
    {25, 28, Cs, 7},   // ZQ7 shunt capacitance
    {28, 29, L, 8},    // ZQ8 motional inductance
    {29, 30, C, 8},    // ZQ8 motional capacitance
    {30, 31, R, 8},    // ZQ8 motional resistance
    {28, 31, Cs, 8},   // ZQ8 shunt capacitance
    {31, 32, Cap, 2},  // output series capacitor
    {9, 10, L, 3},     // ZQ3 motional inductance
    {6, 0, Cap, 1},    // shunt, between ZQ1 and ZQ2
    {9, 0, Cap, 2},    // shunt, between ZQ2 and ZQ3
    {17, 0, Cap, 4},   // shunt, middle of the coupling T
    {21, 0, Cap, 3},   // shunt, between ZQ5 and the series capacitor
    {25, 0, Cap, 2},   // shunt, between ZQ6 and ZQ7
    {28, 0, Cap, 1},   // shunt, between ZQ7 and ZQ8
    {13, 0, Cap, 3},   // shunt, between the series capacitor and ZQ4
};

// 4-crystal CW: source at node 1, input node 2, output node 17.
constexpr ModelBranchRow k4CrystalCW[] = {
    {1, 2, Rsource},    // source resistance
    {2, 3, Cap, 19},    // input series capacitor
    {3, 4, R, 1},       // ZQ1 motional resistance
    {4, 5, C, 1},       // ZQ1 motional capacitance
    {5, 6, L, 1},       // ZQ1 motional inductance
    {3, 6, Cs, 1},      // ZQ1 shunt capacitance
    {6, 7, R, 2},       // ZQ2 motional resistance
    {7, 8, C, 2},       // ZQ2 motional capacitance
    {8, 9, L, 2},       // ZQ2 motional inductance
    {6, 9, Cs, 2},      // ZQ2 shunt capacitance
    {17, 0, Rload},     // load (output branch)
    {9, 10, Cap, 20},   // series coupling capacitor
    {10, 11, R, 3},     // ZQ3 motional resistance
    {11, 12, C, 3},     // ZQ3 motional capacitance
    {12, 13, L, 3},     // ZQ3 motional inductance
    {10, 13, Cs, 3},    // ZQ3 shunt capacitance
    {13, 14, R, 4},     // ZQ4 motional resistance
    {14, 15, C, 4},     // ZQ4 motional capacitance
    {15, 16, L, 4},     // ZQ4 motional inductance
    {13, 16, Cs, 4},    // ZQ4 shunt capacitance
    {16, 17, Cap, 19},  // output series capacitor
    {6, 0, Cap, 1},     // shunt, between ZQ1 and ZQ2
    {9, 0, Cap, 21},    // shunt, between ZQ2 and the series capacitor
    {10, 0, Cap, 21},   // shunt, between the series capacitor and ZQ3
    {13, 0, Cap, 1},    // shunt, between ZQ3 and ZQ4
};

// 6-crystal CW: source at node 1, input node 2, output node 24.
constexpr ModelBranchRow k6CrystalCW[] = {
    {1, 2, Rsource},    // source resistance
    {2, 3, Cap, 22},    // input series capacitor
    {3, 4, R, 1},       // ZQ1 motional resistance
    {4, 5, C, 1},       // ZQ1 motional capacitance
    {5, 6, L, 1},       // ZQ1 motional inductance
    {3, 6, Cs, 1},      // ZQ1 shunt capacitance
    {6, 7, R, 2},       // ZQ2 motional resistance
    {7, 8, C, 2},       // ZQ2 motional capacitance
    {8, 9, L, 2},       // ZQ2 motional inductance
    {6, 9, Cs, 2},      // ZQ2 shunt capacitance
    {24, 0, Rload},     // load (output branch)
    {9, 10, Cap, 23},   // series coupling capacitor
    {10, 11, R, 3},     // ZQ3 motional resistance
    {11, 12, C, 3},     // ZQ3 motional capacitance
    {12, 13, L, 3},     // ZQ3 motional inductance
    {10, 13, Cs, 3},    // ZQ3 shunt capacitance
    {13, 14, R, 4},     // ZQ4 motional resistance
    {14, 15, C, 4},     // ZQ4 motional capacitance
    {15, 16, L, 4},     // ZQ4 motional inductance
    {13, 16, Cs, 4},    // ZQ4 shunt capacitance
    {16, 17, Cap, 23},  // series coupling capacitor
    {17, 18, R, 5},     // ZQ5 motional resistance
    {18, 19, C, 5},     // ZQ5 motional capacitance
    {19, 20, L, 5},     // ZQ5 motional inductance
    {17, 20, Cs, 5},    // ZQ5 shunt capacitance
    {20, 21, R, 6},     // ZQ6 motional resistance
    {21, 22, C, 6},     // ZQ6 motional capacitance
    {22, 23, L, 6},     // ZQ6 motional inductance
    {20, 23, Cs, 6},    // ZQ6 shunt capacitance
    {23, 24, Cap, 22},  // output series capacitor
    {6, 0, Cap, 1},     // shunt, between ZQ1 and ZQ2
    {9, 0, Cap, 25},    // shunt, between ZQ2 and the series capacitor
    {10, 0, Cap, 24},   // shunt, between the series capacitor and ZQ3
    {13, 0, Cap, 3},    // shunt, between ZQ3 and ZQ4
    {16, 0, Cap, 24},   // shunt, between ZQ4 and the series capacitor
    {17, 0, Cap, 25},   // shunt, between the series capacitor and ZQ5
    {20, 0, Cap, 1},    // shunt, between ZQ5 and ZQ6
};

// 8-crystal CW: source at node 1, input node 2, output node 31.
constexpr ModelBranchRow k8CrystalCW[] = {
    {1, 2, Rsource},    // source resistance
    {2, 3, Cap, 1},     // input series capacitor
    {3, 4, R, 1},       // ZQ1 motional resistance
    {4, 5, C, 1},       // ZQ1 motional capacitance
    {5, 6, L, 1},       // ZQ1 motional inductance
    {3, 6, Cs, 1},      // ZQ1 shunt capacitance
    {6, 7, R, 2},       // ZQ2 motional resistance
    {7, 8, C, 2},       // ZQ2 motional capacitance
    {8, 9, L, 2},       // ZQ2 motional inductance
    {6, 9, Cs, 2},      // ZQ2 shunt capacitance
    {31, 0, Rload},     // load (output branch)
    {9, 10, Cap, 4},    // series coupling capacitor
    {10, 11, R, 3},     // ZQ3 motional resistance
    {11, 12, C, 3},     // ZQ3 motional capacitance
    {12, 13, L, 3},     // ZQ3 motional inductance
    {10, 13, Cs, 3},    // ZQ3 shunt capacitance
    {13, 14, R, 4},     // ZQ4 motional resistance
    {14, 15, C, 4},     // ZQ4 motional capacitance
    {15, 16, L, 4},     // ZQ4 motional inductance
    {13, 16, Cs, 4},    // ZQ4 shunt capacitance
    {16, 17, Cap, 8},   // series coupling capacitor
    {17, 18, R, 5},     // ZQ5 motional resistance
    {18, 19, C, 5},     // ZQ5 motional capacitance
    {19, 20, L, 5},     // ZQ5 motional inductance
    {17, 20, Cs, 5},    // ZQ5 shunt capacitance
    {20, 21, R, 6},     // ZQ6 motional resistance
    {21, 22, C, 6},     // ZQ6 motional capacitance
    {22, 23, L, 6},     // ZQ6 motional inductance
    {20, 23, Cs, 6},    // ZQ6 shunt capacitance
    {23, 24, Cap, 12},  // series coupling capacitor
    {24, 25, R, 7},     // ZQ7 motional resistance
    {25, 26, C, 7},     // ZQ7 motional capacitance
    {26, 27, L, 7},     // ZQ7 motional inductance
    {24, 27, Cs, 7},    // ZQ7 shunt capacitance
    {27, 28, R, 8},     // ZQ8 motional resistance
    {28, 29, C, 8},     // ZQ8 motional capacitance
    {29, 30, L, 8},     // ZQ8 motional inductance
    {27, 30, Cs, 8},    // ZQ8 shunt capacitance
    {30, 31, Cap, 15},  // output series capacitor
    {6, 0, Cap, 2},     // shunt, between ZQ1 and ZQ2
    {9, 0, Cap, 3},     // shunt, between ZQ2 and the series capacitor
    {10, 0, Cap, 5},    // shunt, between the series capacitor and ZQ3
    {13, 0, Cap, 6},    // shunt, between ZQ3 and ZQ4
    {16, 0, Cap, 7},    // shunt, between ZQ4 and the series capacitor
    {17, 0, Cap, 9},    // shunt, between the series capacitor and ZQ5
    {20, 0, Cap, 10},   // shunt, between ZQ5 and ZQ6
    {23, 0, Cap, 11},   // shunt, between ZQ6 and the series capacitor
    {24, 0, Cap, 13},   // shunt, between the series capacitor and ZQ7
    {27, 0, Cap, 14},   // shunt, between ZQ7 and ZQ8
};

using F = ResultField;

// The schematics, C1..Cn from the input; series ones lie in the signal path.
constexpr SchematicCapacitor k3CrystalCaps[] = {
    {F::EditC1, 11}, {F::EditC2, 1}, {F::EditC3, 1}, {F::EditC5Cw8, 11}};
constexpr SchematicCapacitor k4CrystalCaps[] = {
    {F::EditC1, 11}, {F::EditC2, 1}, {F::EditC3, 2}, {F::EditC5Cw8, 1}, {F::EditC6Cw8, 11}};
constexpr SchematicCapacitor k6CrystalCaps[] = {
    {F::EditC1, 11},   {F::EditC2, 1},       {F::EditC3, 2},
    {F::EditC5Cw8, 5}, {F::EditC5, 6, true}, {F::EditC6Cw8, 5},
    {F::EditC7Cw8, 2}, {F::EditC9Cw8, 1},    {F::EditC10Cw8, 11}};
constexpr SchematicCapacitor k8CrystalCaps[] = {
    {F::EditC1, 11},       {F::EditC2, 1},      {F::EditC3, 2},     {F::EditC5Cw8, 15},
    {F::EditC5, 13, true}, {F::EditC6Cw8, 16},  {F::EditC7Cw8, 4},  {F::EditC9Cw8, 16},
    {F::EditC9, 13, true}, {F::EditC10Cw8, 15}, {F::EditC11Cw8, 2}, {F::EditC13Cw8, 1},
    {F::EditC14Cw8, 11}};
constexpr SchematicCapacitor k4CrystalCwCaps[] = {
    {F::EditC1, 11},    {F::EditC2, 1},    {F::EditC3, 21},   {F::EditC4Cw8, 20, true},
    {F::EditC5Cw8, 21}, {F::EditC6Cw8, 1}, {F::EditC7Cw8, 11}};
constexpr SchematicCapacitor k6CrystalCwCaps[] = {
    {F::EditC1, 11},    {F::EditC2, 1},     {F::EditC3, 25},    {F::EditC4Cw8, 23, true},
    {F::EditC5Cw8, 24}, {F::EditC6Cw8, 3},  {F::EditC7Cw8, 24}, {F::EditC8Cw8, 23, true},
    {F::EditC9Cw8, 25}, {F::EditC10Cw8, 1}, {F::EditC11Cw8, 11}};
constexpr SchematicCapacitor k8CrystalCwCaps[] = {
    {F::EditC1, 18},     {F::EditC2, 2},      {F::EditC3, 3},      {F::EditC4Cw8, 4, true},
    {F::EditC5Cw8, 5},   {F::EditC6Cw8, 6},   {F::EditC7Cw8, 7},   {F::EditC8Cw8, 8, true},
    {F::EditC9Cw8, 9},   {F::EditC10Cw8, 10}, {F::EditC11Cw8, 11}, {F::EditC12Cw8, 12, true},
    {F::EditC13Cw8, 13}, {F::EditC14Cw8, 14}, {F::EditC15Cw8, 18}};

constexpr const char* kCwRule = "------------------";
constexpr int kBreakBeforeC3[] = {3};
constexpr int kBreakBeforeC4[] = {4};
constexpr int kBreakBeforeC3AndC6[] = {3, 6};

const TopologyDescription kTopologies[] = {
    {"3-crystal", "F3", 3, 3, false, F::EditC5, k3CrystalCaps, {}, {13, 13, k3Crystal}},
    {"4-crystal", "F4", 4, 4, false, F::EditRout4, k4CrystalCaps, {}, {16, 16, k4Crystal}},
    {"6-crystal",
     "F6",
     6,
     6,
     false,
     F::EditRout6,
     k6CrystalCaps,
     {.peakBeforeAmin = true, .lineBreaksBefore = kBreakBeforeC4},
     {24, 1, k6Crystal}},
    {"8-crystal",
     "F8",
     8,
     8,
     false,
     F::EditRout8,
     k8CrystalCaps,
     {.aminEnd = "dB;", .bandWidthEnd = "Hz;", .lineBreaksBefore = kBreakBeforeC4},
     {32, 1, k8Crystal}},
    {"4-crystal CW",
     "F4CW",
     4,
     4,
     true,
     F::EditC8Cw8,
     k4CrystalCwCaps,
     {.rule = kCwRule, .printsCcorNote = true, .bandWidthEnd = " Hz.", .lineBreaksBefore = {}},
     {17, 1, k4CrystalCW}},
    {"6-crystal CW",
     "F6CW",
     6,
     6,
     true,
     F::EditC12Cw8,
     k6CrystalCwCaps,
     {.rule = kCwRule, .printsCcorNote = true, .lineBreaksBefore = kBreakBeforeC3},
     {24, 1, k6CrystalCW}},
    {"8-crystal CW",
     "F8CW",
     8,
     8,
     true,
     F::EditRoutCw8,
     k8CrystalCwCaps,
     {.rule = kCwRule,
      .printsCcorNote = true,
      .aminEnd = "  dB;",
      .attenuationEnd = "  dB;",
      .lineBreaksBefore = kBreakBeforeC3AndC6},
     {31, 1, k8CrystalCW}},
};
static_assert(std::size(kTopologies) == kTopologyCount, "one description per topology number");

}  // namespace

const TopologyDescription& topologyDescription(int topology) {
    if (!isValidTopology(topology)) {
        throw std::out_of_range("no topology " + std::to_string(topology));
    }
    return kTopologies[topology - 1];
}

}  // namespace trellon
