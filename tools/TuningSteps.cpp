#include "TuningSteps.h"

#include <algorithm>
#include <cmath>

namespace trellon {

namespace {

constexpr double kShiftSpanHz = 500;
constexpr double kTrimmerLowPf = 10;
constexpr double kTrimmerHighPf = 10000;

// The low and high ends of a capacitor's slider, pF.
std::pair<double, double> capacitorSpan(const TunedPart& part) {
    if (part.kind == TunedKind::Trimmer) {
        return {kTrimmerLowPf, kTrimmerHighPf};
    }
    return {part.untuned / 2, part.untuned * 2};
}

const BenchCapacitor* capacitorNamed(const BenchCircuit& bench, const std::string& name) {
    for (const BenchCapacitor& c : bench.capacitors) {
        if (c.name == name) {
            return &c;
        }
    }
    return nullptr;
}

const BuiltPart* crystalNamed(const BenchCircuit& bench, const std::string& name) {
    for (const BuiltPart& part : bench.circuit.parts) {
        if (part.kind == BuiltPartKind::Crystal && part.name == name) {
            return &part;
        }
    }
    return nullptr;
}

double valueIn(const std::map<std::string, double>& values, const std::string& key,
               double otherwise) {
    const auto found = values.find(key);
    return found == values.end() ? otherwise : found->second;
}

}  // namespace

std::optional<TunedPart> tunedPartAt(const BenchCircuit& untuned, const BenchCircuit& tuned,
                                     const CircuitTuning& tuning, int index) {
    if (index < 0 || index >= int(tuned.circuit.parts.size())) {
        return std::nullopt;
    }
    const BuiltPart& part = tuned.circuit.parts[std::size_t(index)];
    TunedPart t;
    t.name = part.name;
    t.key = part.name;
    if (part.kind == BuiltPartKind::Crystal) {
        const BuiltPart* before = crystalNamed(untuned, part.name);
        if (before == nullptr) {
            return std::nullopt;
        }
        t.kind = TunedKind::Crystal;
        t.untuned = crystalFsHz(*before);
        t.value = valueIn(tuning.fsShiftsHz, part.name, 0);
        t.hasTrimmer = tuning.trimmersPf.contains(part.name);
        return t;
    }
    for (const auto& [crystal, pf] : tuning.trimmersPf) {
        if (trimmerName(crystal) == part.name) {
            t.kind = TunedKind::Trimmer;
            t.key = crystal;
            t.untuned = pf;
            t.value = pf;
            return t;
        }
    }
    const BenchCapacitor* fitted = capacitorNamed(untuned, part.name);
    if (fitted == nullptr) {
        return std::nullopt;
    }
    t.untuned = fitted->fittedPf;
    t.value = valueIn(tuning.capacitorsPf, part.name, fitted->fittedPf);
    return t;
}

double steppedValue(const TunedPart& part, double value, int steps, StepSize size) {
    constexpr double kCapacitorStep[] = {0.001, 0.01, 0.1};
    constexpr double kShiftStepHz[] = {0.1, 1, 10};
    const auto at = std::size_t(size);
    if (part.kind == TunedKind::Crystal) {
        return value + steps * kShiftStepHz[at];
    }
    return value * std::pow(1 + kCapacitorStep[at], steps);
}

int sliderPosition(const TunedPart& part, double value) {
    double fraction = 0;
    if (part.kind == TunedKind::Crystal) {
        fraction = (value + kShiftSpanHz) / (2 * kShiftSpanHz);
    } else {
        const auto [low, high] = capacitorSpan(part);
        fraction = std::log(value / low) / std::log(high / low);
    }
    return std::clamp(int(std::lround(fraction * kSliderPositions)), 0, kSliderPositions);
}

double sliderValue(const TunedPart& part, int position) {
    const double fraction = double(position) / kSliderPositions;
    if (part.kind == TunedKind::Crystal) {
        return -kShiftSpanHz + fraction * 2 * kShiftSpanHz;
    }
    const auto [low, high] = capacitorSpan(part);
    return low * std::pow(high / low, fraction);
}

CircuitTuning withValue(const CircuitTuning& tuning, const TunedPart& part, double value) {
    CircuitTuning changed = tuning;
    switch (part.kind) {
        case TunedKind::Capacitor:
            if (value == part.untuned) {
                changed.capacitorsPf.erase(part.key);
            } else {
                changed.capacitorsPf[part.key] = value;
            }
            break;
        case TunedKind::Trimmer:
            changed.trimmersPf[part.key] = value;
            break;
        case TunedKind::Crystal:
            if (value == 0) {
                changed.fsShiftsHz.erase(part.key);
            } else {
                changed.fsShiftsHz[part.key] = value;
            }
            break;
    }
    return changed;
}

CircuitTuning withTrimmer(const CircuitTuning& tuning, const std::string& crystal,
                          std::optional<double> pf) {
    CircuitTuning changed = tuning;
    if (pf) {
        changed.trimmersPf[crystal] = *pf;
    } else {
        changed.trimmersPf.erase(crystal);
    }
    return changed;
}

std::optional<CircuitTuning> documentTuning(const CircuitTuning& tuning) {
    if (tuning.empty()) {
        return std::nullopt;
    }
    return tuning;
}

}  // namespace trellon
