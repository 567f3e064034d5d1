#include "CircuitTuning.h"

#include <cmath>
#include <optional>
#include <set>

#include "BuiltFilter.h"
#include "CommandError.h"
#include "CrystalFormulas.h"

namespace trellon {

namespace {

constexpr double kFaradsPerPf = 1e-12;

bool positiveFinite(double value) {
    return std::isfinite(value) && value > 0;
}

[[noreturn]] void refuseValue(const std::string& name) {
    throw CommandError("the tuned value of " + name + " is not a positive number");
}

// The standard value or pair of `series` that `pf` is, when it is one.
std::optional<StandardChoice> standardOf(double pf, const BenchSettings& settings) {
    if (settings.eSeries == 0) {
        return std::nullopt;
    }
    if (isStandardValue(pf, settings.eSeries)) {
        return StandardChoice{pf, std::nullopt};
    }
    const StandardChoice pair = bestParallelPair(pf, settings.eSeries);
    if (std::abs(pair.total() - pf) <= 1e-9 * pf) {
        return pair;
    }
    return std::nullopt;
}

// The index in circuit.parts of the part whose name is `name`; throws when there is none of
// `kind`.
std::size_t partNamed(const BuiltCircuit& circuit, const std::string& name, bool crystal) {
    for (std::size_t i = 0; i < circuit.parts.size(); ++i) {
        const BuiltPart& part = circuit.parts[i];
        const bool isCrystal = part.kind == BuiltPartKind::Crystal;
        if (part.name == name && isCrystal == crystal) {
            return i;
        }
    }
    throw CommandError("the circuit has no part " + name);
}

void tuneCapacitor(BenchCircuit& bench, const std::string& name, double pf,
                   const BenchSettings& settings) {
    if (!positiveFinite(pf)) {
        refuseValue(name);
    }
    BuiltPart& part = bench.circuit.parts[partNamed(bench.circuit, name, false)];
    for (BenchCapacitor& c : bench.capacitors) {
        if (c.name == name) {
            c.fittedPf = pf;
            c.standard = standardOf(pf, settings);
            c.keptAtDesign = false;
            part.value = (pf + c.strayPf) * kFaradsPerPf;
            return;
        }
    }
    throw CommandError("the circuit has no capacitor " + name);
}

void shiftCrystal(BuiltPart& crystal, double shiftHz) {
    const double fs = crystalFsHz(crystal);
    const double moved = fs + shiftHz;
    if (!std::isfinite(shiftHz) || !(moved > 0)) {
        refuseValue(crystal.name);
    }
    crystal.crystal.motionalInductance *= (fs / moved) * (fs / moved);
}

}  // namespace

std::string trimmerName(const std::string& crystalName) {
    return "CT" + crystalName.substr(crystalName.rfind('Q') + 1);
}

std::optional<std::string> trimmedCrystal(const BuiltCircuit& circuit, std::size_t index) {
    if (index == 0 || index >= circuit.parts.size()) {
        return std::nullopt;
    }
    const BuiltPart& part = circuit.parts[index];
    const BuiltPart& before = circuit.parts[index - 1];
    if (part.kind == BuiltPartKind::SeriesCapacitor && before.kind == BuiltPartKind::Crystal &&
        part.name == trimmerName(before.name)) {
        return before.name;
    }
    return std::nullopt;
}

double crystalFsHz(const BuiltPart& crystal) {
    return 1 / (kTwoPiExact * std::sqrt(crystal.crystal.motionalInductance *
                                        crystal.crystal.motionalCapacitance));
}

BenchCircuit tunedBenchCircuit(const BenchCircuit& bench, const CircuitTuning& tuning,
                               const BenchSettings& settings) {
    BenchCircuit tuned = bench;
    for (const auto& [name, pf] : tuning.capacitorsPf) {
        tuneCapacitor(tuned, name, pf, settings);
    }
    for (const auto& [name, hz] : tuning.fsShiftsHz) {
        shiftCrystal(tuned.circuit.parts[partNamed(tuned.circuit, name, true)], hz);
    }
    for (const auto& [name, pf] : tuning.trimmersPf) {
        if (!positiveFinite(pf)) {
            refuseValue(trimmerName(name));
        }
        const std::size_t at = partNamed(tuned.circuit, name, true);
        BuiltPart trimmer;
        trimmer.kind = BuiltPartKind::SeriesCapacitor;
        trimmer.name = trimmerName(name);
        trimmer.value = pf * kFaradsPerPf;
        // Its entry follows the last capacitor before its crystal in ladder order.
        std::set<std::string> before;
        for (std::size_t i = 0; i < at; ++i) {
            before.insert(tuned.circuit.parts[i].name);
        }
        auto entry = tuned.capacitors.begin();
        while (entry != tuned.capacitors.end() && before.contains(entry->name)) {
            ++entry;
        }
        BenchCapacitor c;
        c.name = trimmer.name;
        c.designPf = pf;
        c.fittedPf = pf;
        c.standard = standardOf(pf, settings);
        tuned.capacitors.insert(entry, c);
        tuned.circuit.parts.insert(
            tuned.circuit.parts.begin() + static_cast<std::ptrdiff_t>(at) + 1, trimmer);
    }
    numberLadderNodes(tuned.circuit);
    requireSimulable(tuned.circuit);
    return tuned;
}

}  // namespace trellon
