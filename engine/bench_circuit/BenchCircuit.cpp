#include "BenchCircuit.h"

#include <cmath>
#include <set>

#include "BuiltFilter.h"
#include "CommandError.h"

namespace trellon {

namespace {

bool isCapacitor(BuiltPartKind kind) {
    return kind == BuiltPartKind::ShuntCapacitor || kind == BuiltPartKind::SeriesCapacitor;
}

constexpr double kFaradsPerPf = 1e-12;

std::vector<BuiltPart> shuntCapacitorsAt(const BuiltCircuit& circuit, int node) {
    std::vector<BuiltPart> parts;
    for (const BuiltPart& part : circuit.parts) {
        if (part.kind == BuiltPartKind::ShuntCapacitor && part.node == node) {
            parts.push_back(part);
        }
    }
    return parts;
}

// Fits `parts` (one series capacitor, or the shunt capacitors of one node) as one part beside
// `strayPf` of board, and adds it to the bench's list and circuit in place of them.
void fitCapacitor(const std::vector<BuiltPart>& parts, double strayPf,
                  const BenchSettings& settings, BenchCircuit& bench) {
    BuiltPart fitted = parts.front();
    BenchCapacitor c;
    if (parts.size() > 1) {
        fitted.value = 0;
        fitted.name.clear();
        for (const BuiltPart& part : parts) {
            fitted.value += part.value;
            fitted.name += (fitted.name.empty() ? "" : "+") + part.name;
            c.merged.push_back({part.name, part.value / kFaradsPerPf});
        }
    }
    c.name = fitted.name;
    c.designPf = fitted.value / kFaradsPerPf;
    c.strayPf = strayPf;
    c.fittedPf = c.designPf - c.strayPf;
    if (!(c.fittedPf > 0)) {
        c.keptAtDesign = true;
        c.fittedPf = c.designPf;
        fitted.value += c.strayPf * kFaradsPerPf;
    } else if (settings.eSeries != 0) {
        c.standard =
            standardChoice(c.fittedPf, settings.eSeries, settings.parallelTolerancePercent);
        c.fittedPf = c.standard->total();
        fitted.value = (c.fittedPf + c.strayPf) * kFaradsPerPf;
    }
    // Unrounded, the board brings back exactly what was left off: the value stays as is.
    bench.capacitors.push_back(c);
    bench.circuit.parts.push_back(fitted);
}

}  // namespace

void requireValidBenchSettings(const BenchSettings& s) {
    if (s.eSeries != 0 && !isESeries(s.eSeries)) {
        throw CommandError("the series is E6, E12, E24, E48 or E96");
    }
    const auto require = [](const SettingDeclaration& declaration, double value) {
        if (!declaration.accepts(value)) {
            throw CommandError(settingRefusal(declaration));
        }
    };
    if (s.parallelTolerancePercent) {
        require(settings::kParallelTolerance, *s.parallelTolerancePercent);
    }
    require(settings::kBenchStray, s.strayPf);
    require(settings::kSystemOhm, s.systemOhm);
}

std::vector<std::string> BenchCircuit::keptAtDesignNames() const {
    std::vector<std::string> names;
    for (const BenchCapacitor& c : capacitors) {
        if (c.keptAtDesign) {
            names.push_back(c.name);
        }
    }
    return names;
}

BenchCircuit makeBenchCircuit(const TracedBand& band, const BuiltCircuit& asBuilt,
                              const BenchSettings& settings) {
    requireValidBenchSettings(settings);
    BenchCircuit bench;
    bench.systemOhm = settings.systemOhm;
    bench.filterOhm = asBuilt.sourceResistance;
    BuiltCircuit laid = asBuilt;
    if (settings.match != MatchKind::None) {
        bench.network = designMatchingNetwork(settings.match, settings.systemOhm, bench.filterOhm,
                                              band.centreHz());
        laid = withMatchingNetworks(asBuilt, bench.network, settings.systemOhm);
    }
    // The networks' parts stand before and after the filter's, as many at each end.
    const std::size_t networkParts = (laid.parts.size() - asBuilt.parts.size()) / 2;
    const auto fromFilter = [&](std::size_t i) {
        return i >= networkParts && i < laid.parts.size() - networkParts;
    };
    std::set<int> filterShuntNodes;
    for (std::size_t i = 0; i < laid.parts.size(); ++i) {
        if (fromFilter(i) && laid.parts[i].kind == BuiltPartKind::ShuntCapacitor) {
            filterShuntNodes.insert(laid.parts[i].node);
        }
    }
    bench.circuit = laid;
    bench.circuit.parts.clear();
    std::set<int> fittedNodes;
    for (std::size_t i = 0; i < laid.parts.size(); ++i) {
        const BuiltPart& part = laid.parts[i];
        const bool shunt = part.kind == BuiltPartKind::ShuntCapacitor;
        if (shunt && filterShuntNodes.contains(part.node)) {
            if (fittedNodes.insert(part.node).second) {
                fitCapacitor(shuntCapacitorsAt(laid, part.node), settings.strayPf, settings, bench);
            }
        } else if (isCapacitor(part.kind) && fromFilter(i)) {
            fitCapacitor({part}, 0, settings, bench);
        } else {
            bench.circuit.parts.push_back(part);
        }
    }
    numberLadderNodes(bench.circuit);
    if (settings.match != MatchKind::None) {
        // The networks' parts may not fit beside the crystals' spurious arms.
        requireSimulable(bench.circuit);
    }
    return bench;
}

}  // namespace trellon
