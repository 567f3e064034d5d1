#include "RetrimSpace.h"

#include <cmath>
#include <set>

#include "CommandError.h"

namespace trellon {

namespace {

constexpr double kFaradsPerPf = 1e-12;

const BenchCapacitor* capacitorNamed(const BenchCircuit& bench, const std::string& name) {
    for (const BenchCapacitor& c : bench.capacitors) {
        if (c.name == name) {
            return &c;
        }
    }
    return nullptr;
}

std::set<std::string> freeNames(const BenchCircuit& bench, const std::vector<std::string>& free) {
    std::set<std::string> names;
    for (const std::string& name : free) {
        if (!capacitorNamed(bench, name)) {
            throw CommandError("the circuit has no capacitor " + name + " to retrim");
        }
        names.insert(name);
    }
    if (names.empty()) {
        for (const BenchCapacitor& c : bench.capacitors) {
            names.insert(c.name);
        }
    }
    return names;
}

std::vector<CapacitorGroup> capacitorGroups(const BenchCircuit& bench, const BenchCircuit& tuned,
                                            const std::set<std::string>& free, bool symmetric) {
    const std::vector<BenchCapacitor>& all = bench.capacitors;
    const auto startPf = [&](std::size_t i) {
        return capacitorNamed(tuned, all[i].name)->fittedPf;
    };
    std::vector<CapacitorGroup> groups;
    std::vector<bool> taken(all.size());
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (taken[i] || !free.contains(all[i].name)) {
            continue;
        }
        taken[i] = true;
        const std::size_t mirror = all.size() - 1 - i;
        if (symmetric && mirror != i && free.contains(all[mirror].name)) {
            taken[mirror] = true;
            groups.push_back(
                {{all[i].name, all[mirror].name}, std::sqrt(startPf(i) * startPf(mirror))});
        } else {
            groups.push_back({{all[i].name}, startPf(i)});
        }
    }
    return groups;
}

std::vector<TrimmerSlot> trimmerSlots(const BenchCircuit& tuned) {
    std::vector<TrimmerSlot> slots;
    std::size_t highest = 0;
    for (const BuiltPart& part : tuned.circuit.parts) {
        if (part.kind == BuiltPartKind::Crystal) {
            TrimmerSlot slot{part.name, crystalFsHz(part), part.crystal.motionalCapacitance,
                             part.crystal.holderCapacitance};
            if (!slots.empty() && slot.fsHz > slots[highest].fsHz) {
                highest = slots.size();
            }
            slots.push_back(slot);
        }
    }
    if (!slots.empty()) {
        slots[highest].keptShort = true;
    }
    return slots;
}

}  // namespace

double TrimmerSlot::raiseHz(double pf) const {
    return fsHz * motionalF / (2 * (holderF + pf * kFaradsPerPf));
}

double TrimmerSlot::pfForRaise(double raise) const {
    return (fsHz * motionalF / (2 * raise) - holderF) / kFaradsPerPf;
}

std::vector<std::size_t> RetrimSpace::variableSlots() const {
    std::vector<std::size_t> variable;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (!slots[i].keptShort) {
            variable.push_back(i);
        }
    }
    return variable;
}

std::vector<double> RetrimSpace::startPoint() const {
    std::vector<double> point;
    for (const CapacitorGroup& group : groups) {
        point.push_back(std::log(group.startPf));
    }
    for (std::size_t i : variableSlots()) {
        const auto trimmer = start.trimmersPf.find(slots[i].crystal);
        point.push_back(trimmer == start.trimmersPf.end()
                            ? 0
                            : slots[i].raiseHz(trimmer->second) / raiseUnitHz);
    }
    return point;
}

CircuitTuning RetrimSpace::tuning(const std::vector<double>& point) const {
    CircuitTuning tuned = start;
    std::size_t at = 0;
    for (const CapacitorGroup& group : groups) {
        const double pf = std::exp(point[at++]);
        for (const std::string& name : group.names) {
            tuned.capacitorsPf[name] = pf;
        }
    }
    for (std::size_t i : variableSlots()) {
        const double raise = point[at++] * raiseUnitHz;
        tuned.trimmersPf.erase(slots[i].crystal);
        if (raise > 0) {
            tuned.trimmersPf[slots[i].crystal] = slots[i].pfForRaise(raise);
        }
    }
    return tuned;
}

double RetrimSpace::leastRaise(const TrimmerSlot& slot) const {
    return slot.raiseHz(*trimmerMaxPf) / raiseUnitHz;
}

std::vector<double> RetrimSpace::lowest() const {
    std::vector<double> bounds(groups.size(), std::log(kLeastRetrimPf));
    bounds.resize(size(), 0);
    return bounds;
}

std::vector<double> RetrimSpace::highest() const {
    std::vector<double> bounds(groups.size(), HUGE_VAL);
    for (std::size_t i : variableSlots()) {
        bounds.push_back(slots[i].raiseHz(*trimmerMinPf) / raiseUnitHz);
    }
    return bounds;
}

RetrimSpace makeRetrimSpace(const BenchCircuit& bench, const BenchSettings& settings,
                            const CircuitTuning& start,
                            const std::vector<std::string>& freeCapacitors, bool symmetric,
                            bool freeCapacitorsToo, std::optional<double> trimmerMinPf,
                            std::optional<double> trimmerMaxPf, double raiseUnitHz) {
    const bool trimmers = trimmerMinPf || trimmerMaxPf;
    if (trimmers && !(trimmerMinPf && trimmerMaxPf && *trimmerMinPf > 0 &&
                      *trimmerMinPf < *trimmerMaxPf && std::isfinite(*trimmerMaxPf))) {
        throw CommandError("the trimmer range must be MIN:MAX pF with 0 < MIN < MAX");
    }
    RetrimSpace space;
    space.start = start;
    space.trimmerMinPf = trimmerMinPf;
    space.trimmerMaxPf = trimmerMaxPf;
    space.raiseUnitHz = raiseUnitHz;
    const BenchCircuit tuned = tunedBenchCircuit(bench, start, settings);
    const std::set<std::string> free = freeNames(bench, freeCapacitors);
    if (freeCapacitorsToo) {
        space.groups = capacitorGroups(bench, tuned, free, symmetric);
    }
    if (trimmers) {
        space.slots = trimmerSlots(tuned);
        for (const TrimmerSlot& slot : space.slots) {
            if (slot.keptShort) {
                space.start.trimmersPf.erase(slot.crystal);
            }
        }
    }
    return space;
}

}  // namespace trellon
