#include "BenchCircuit.h"

#include <cmath>

#include "BuiltFilter.h"
#include "CommandError.h"

namespace trellon {

namespace {

bool isCapacitor(BuiltPartKind kind) {
    return kind == BuiltPartKind::ShuntCapacitor || kind == BuiltPartKind::SeriesCapacitor;
}

constexpr double kFaradsPerPf = 1e-12;

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
    bench.circuit = asBuilt;
    bench.systemOhm = settings.systemOhm;
    bench.filterOhm = asBuilt.sourceResistance;
    const std::vector<bool> takesStray = strayTakingParts(asBuilt);
    for (std::size_t i = 0; i < asBuilt.parts.size(); ++i) {
        BuiltPart& part = bench.circuit.parts[i];
        if (!isCapacitor(part.kind)) {
            continue;
        }
        BenchCapacitor c;
        c.name = part.name;
        c.designPf = part.value / kFaradsPerPf;
        c.strayPf = takesStray[i] ? settings.strayPf : 0;
        c.fittedPf = c.designPf - c.strayPf;
        if (!(c.fittedPf > 0)) {
            c.keptAtDesign = true;
            c.fittedPf = c.designPf;
            part.value += c.strayPf * kFaradsPerPf;
        } else if (settings.eSeries != 0) {
            c.standard =
                standardChoice(c.fittedPf, settings.eSeries, settings.parallelTolerancePercent);
            c.fittedPf = c.standard->total();
            part.value = (c.fittedPf + c.strayPf) * kFaradsPerPf;
        }
        // Unrounded, the board brings back exactly what was left off: the value stays as is.
        bench.capacitors.push_back(c);
    }
    if (settings.match != MatchKind::None) {
        const double centre = band.centreHz();
        bench.network =
            designMatchingNetwork(settings.match, settings.systemOhm, bench.filterOhm, centre);
        bench.circuit = withMatchingNetworks(bench.circuit, bench.network, settings.systemOhm);
        // The networks' parts may not fit beside the crystals' spurious arms.
        requireSimulable(bench.circuit);
    }
    return bench;
}

}  // namespace trellon
