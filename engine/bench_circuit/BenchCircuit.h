#pragma once

#include <optional>
#include <string>
#include <vector>

#include "BuiltCircuit.h"
#include "MatchingNetwork.h"
#include "SettingTables.h"
#include "StandardValues.h"
#include "TracedBand.h"

namespace trellon {

// The last steps from the design to the bench.
struct BenchSettings {
    int eSeries = settings::wholeDefault(settings::kESeries);  // 6, 12, 24, 48 or 96; 0: none
    std::optional<double> parallelTolerancePercent;       // a pair where one value lies beyond this
    double strayPf = settings::kBenchStray.defaultValue;  // at each node with a shunt capacitor
    MatchKind match = MatchKind::None;
    double systemOhm = settings::kSystemOhm.defaultValue;

    bool operator==(const BenchSettings&) const = default;
};

// Throws CommandError naming the setting that lies outside its range.
void requireValidBenchSettings(const BenchSettings& settings);

// A capacitor the bench solders together with others at its node, as one part.
struct MergedCapacitor {
    std::string name;  // "C1", "Cin"
    double designPf = 0;
};

// One capacitor of the filter as the builder fits it. Shunt capacitors standing at one node (the
// filter's end capacitor and the match's shunt capacitor) are one part, named after them all in
// ladder order ("Cin+C1"), whose design value is their sum.
struct BenchCapacitor {
    std::string name;  // "C1"
    double designPf = 0;
    std::vector<MergedCapacitor> merged;  // what it stands for, in ladder order; empty for one
    double strayPf = 0;  // the board capacitance it leaves to its node; 0 for series ones
    // What is soldered: the design value less the stray, rounded to `standard` when a series is
    // chosen; the design value when that would be zero or less.
    double fittedPf = 0;
    std::optional<StandardChoice> standard;
    bool keptAtDesign = false;  // the stray left nothing to fit
};

struct BenchCircuit {
    BuiltCircuit circuit;  // what is simulated: the fitted parts, the board and the networks
    std::vector<BenchCapacitor> capacitors;  // in ladder order
    MatchingNetwork network;                 // the same at both ends
    double systemOhm = 0;
    double filterOhm = 0;  // the termination the design gives (Rin = Rout)
    std::vector<std::string> keptAtDesignNames() const;
    // The resistance the two-port is referred to: the system resistance when matched. The
    // circuit of a transformer match is the filter itself between its own terminations, and
    // its S-parameters there are those of the whole between the system resistances.
    double referenceOhm() const {
        return network.kind == MatchKind::None ? circuit.sourceResistance : systemOhm;
    }
};

// `asBuilt` (the calculated design's circuit as built, with the crystals to use) with the matching
// network at each end, designed at the centre of the ideal curve's traced band, and each
// capacitor of the filter fitted: the shunt capacitors at one node merged into one part, the
// board's stray at each node that has a shunt capacitor of the filter. A network's part alone
// at its node keeps its design value. With no series,
// no stray and no match the circuit is `asBuilt` itself. Throws CommandError for
// settings out of range, and as requireSimulable.
BenchCircuit makeBenchCircuit(const TracedBand& band, const BuiltCircuit& asBuilt,
                              const BenchSettings& settings);

}  // namespace trellon
