#pragma once

#include <span>

#include "ResultFields.h"

namespace trellon {

// Topologies are numbered 1..kTopologyCount, in the order of the table of descriptions; the
// table is checked to hold exactly this many.
inline constexpr int kTopologyCount = 7;
inline constexpr int kMaxCrystals = 8;

inline constexpr bool isValidTopology(int topology) {
    return topology >= 1 && topology <= kTopologyCount;
}

// What one branch of the circuit model carries. The crystal parts name their ladder position,
// a capacitor its Cap slot, in ModelBranchRow::index.
enum class ModelElement {
    Rsource,
    Rload,
    MotionalResistance,
    MotionalInductance,
    MotionalCapacitance,
    HolderCapacitance,
    Cap,
};

struct ModelBranchRow {
    int from;
    int to;
    ModelElement element;
    int index = 0;  // crystal position 1..n, or Cap slot
};

// The circuit model that the calculation simulates: series end capacitors to the source and
// load resistances, and the rows in the order the netlist numbers its branches.
struct ModelLayout {
    int nodeCount;
    int sourceNode;
    std::span<const ModelBranchRow> branches;
};

// A capacitor of the schematic, C1..Cn from input to output: the field that shows it, the Cap
// slot that holds its value, and whether it sits in the signal path (series) or to ground.
// A crystal stands between every two neighbouring shunt capacitors.
struct SchematicCapacitor {
    ResultField field;
    int capSlot;
    bool series = false;
};

// What sets the report of one topology apart from the others.
struct ReportLayout {
    const char* rule = "----------------";  // first results line
    bool printsCcorNote = false;            // the CW variants
    bool peakBeforeAmin = false;            // results line F(Amin) ahead of Amin
    const char* aminEnd = " dB;";           // after the Amin value in the results view
    const char* attenuationEnd = " dB;";    // after the A(Fo) value in the results view
    const char* bandWidthEnd = " Hz;";      // after the dF(level) value in the results view
    // The capacitor numbers whose "Ck=" item starts a new line of the element list.
    std::span<const int> lineBreaksBefore;
};

// Everything about one topology that the synthesis, netlists, report, window and command line
// need to know.
struct TopologyDescription {
    const char* comboText;
    const char* bitmapName;
    int crystals;
    int prototypeOrder;
    bool cw;
    ResultField outputResistanceField;
    std::span<const SchematicCapacitor> capacitors;  // C1..Cn
    ReportLayout report;
    ModelLayout model;

    int capacitorCount() const { return static_cast<int>(capacitors.size()); }
    // The Cap slot of the end capacitors C1 and Cn, which the synthesis fills last.
    int endCapacitorSlot() const { return capacitors.front().capSlot; }
};

// Topology numbers 1..kTopologyCount; throws std::out_of_range for any other.
const TopologyDescription& topologyDescription(int topology);

}  // namespace trellon
