#include "TuningWithin.h"

#include <algorithm>

namespace trellon {

namespace {

void keepWhere(const std::map<std::string, double>& from, std::map<std::string, double>& kept,
               std::vector<std::string>& dropped, const auto& exists) {
    for (const auto& [name, value] : from) {
        if (exists(name)) {
            kept[name] = value;
        } else if (std::find(dropped.begin(), dropped.end(), name) == dropped.end()) {
            dropped.push_back(name);
        }
    }
}

}  // namespace

TuningWithin tuningWithin(const CircuitTuning& tuning, const BenchCircuit& bench) {
    const auto isCapacitor = [&](const std::string& name) {
        return std::any_of(bench.capacitors.begin(), bench.capacitors.end(),
                           [&](const BenchCapacitor& c) { return c.name == name; });
    };
    const auto isCrystal = [&](const std::string& name) {
        return std::any_of(
            bench.circuit.parts.begin(), bench.circuit.parts.end(),
            [&](const BuiltPart& p) { return p.kind == BuiltPartKind::Crystal && p.name == name; });
    };
    TuningWithin result;
    keepWhere(tuning.capacitorsPf, result.kept.capacitorsPf, result.dropped, isCapacitor);
    keepWhere(tuning.trimmersPf, result.kept.trimmersPf, result.dropped, isCrystal);
    keepWhere(tuning.fsShiftsHz, result.kept.fsShiftsHz, result.dropped, isCrystal);
    return result;
}

std::size_t tunedPartCount(const CircuitTuning& tuning) {
    return tuning.capacitorsPf.size() + tuning.trimmersPf.size() + tuning.fsShiftsHz.size();
}

}  // namespace trellon
