#include "StandardDescent.h"

#include <algorithm>
#include <cmath>

#include "StandardValues.h"

namespace trellon {

namespace {

bool sameValue(double a, double b) {
    return std::abs(a - b) <= 1e-9 * std::max(a, b);
}

// The series' single values one step below and above `pf` (or around it when it is none).
std::vector<double> singleSteps(double pf, int series) {
    return {standardNeighbours(pf * (1 - 1e-6), series).below,
            standardNeighbours(pf * (1 + 1e-6), series).above};
}

std::vector<double> capacitorSteps(double pf, const BenchSettings& settings) {
    std::vector<double> steps = singleSteps(pf, settings.eSeries);
    if (settings.parallelTolerancePercent) {
        // Pairs make a finer ladder than the series: a quarter and half a step either way.
        for (const double quarters : {-2.0, -1.0, 1.0, 2.0}) {
            const double ratio = std::pow(10.0, quarters / (4.0 * settings.eSeries));
            steps.push_back(bestParallelPair(pf * ratio, settings.eSeries).total());
        }
    }
    std::vector<double> distinct;
    for (double step : steps) {
        const bool seen = std::any_of(distinct.begin(), distinct.end(),
                                      [&](double other) { return sameValue(other, step); });
        if (!seen && !sameValue(step, pf) && step >= kLeastRetrimPf) {
            distinct.push_back(step);
        }
    }
    return distinct;
}

// A trimmer's neighbours, nothing standing for short.
std::vector<std::optional<double>> trimmerSteps(std::optional<double> pf, const RetrimSpace& space,
                                                int series) {
    const double least = *space.trimmerMinPf;
    const double most = *space.trimmerMaxPf;
    const auto inRange = [&](double value) { return value >= least && value <= most; };
    std::vector<std::optional<double>> steps;
    if (!pf) {
        const double largest = standardNeighbours(most, series).below;
        if (inRange(largest)) {
            steps.emplace_back(largest);
        }
        return steps;
    }
    steps.emplace_back(std::nullopt);
    for (double step : singleSteps(*pf, series)) {
        if (inRange(step) && !sameValue(step, *pf)) {
            steps.emplace_back(step);
        }
    }
    return steps;
}

std::optional<double> trimmerOf(const CircuitTuning& tuning, const std::string& crystal) {
    const auto found = tuning.trimmersPf.find(crystal);
    return found == tuning.trimmersPf.end() ? std::nullopt : std::optional(found->second);
}

void setTrimmer(CircuitTuning& tuning, const std::string& crystal, std::optional<double> pf) {
    tuning.trimmersPf.erase(crystal);
    if (pf) {
        tuning.trimmersPf[crystal] = *pf;
    }
}

std::vector<CircuitTuning> neighbours(const RetrimSpace& space, const CircuitTuning& tuning,
                                      const BenchSettings& settings) {
    std::vector<CircuitTuning> found;
    for (const CapacitorGroup& group : space.groups) {
        for (double pf : capacitorSteps(tuning.capacitorsPf.at(group.names.front()), settings)) {
            CircuitTuning moved = tuning;
            for (const std::string& name : group.names) {
                moved.capacitorsPf[name] = pf;
            }
            found.push_back(std::move(moved));
        }
    }
    for (std::size_t i : space.variableSlots()) {
        const std::string& crystal = space.slots[i].crystal;
        for (std::optional<double> pf :
             trimmerSteps(trimmerOf(tuning, crystal), space, settings.eSeries)) {
            CircuitTuning moved = tuning;
            setTrimmer(moved, crystal, pf);
            found.push_back(std::move(moved));
        }
    }
    return found;
}

}  // namespace

CircuitTuning roundedTuning(const RetrimSpace& space, const CircuitTuning& tuning,
                            const BenchSettings& settings) {
    CircuitTuning rounded = tuning;
    for (const CapacitorGroup& group : space.groups) {
        const double pf = tuning.capacitorsPf.at(group.names.front());
        const double standard = std::max(
            standardChoice(pf, settings.eSeries, settings.parallelTolerancePercent).total(),
            standardNeighbours(kLeastRetrimPf, settings.eSeries).above);
        for (const std::string& name : group.names) {
            rounded.capacitorsPf[name] = standard;
        }
    }
    for (std::size_t i : space.variableSlots()) {
        const std::string& crystal = space.slots[i].crystal;
        if (const std::optional<double> pf = trimmerOf(tuning, crystal)) {
            const double least = standardNeighbours(*space.trimmerMinPf, settings.eSeries).above;
            const double most = standardNeighbours(*space.trimmerMaxPf, settings.eSeries).below;
            const double standard = nearestStandardValue(*pf, settings.eSeries);
            // A range holding no standard value leaves the trimmer at its value.
            setTrimmer(rounded, crystal, least <= most ? std::clamp(standard, least, most) : *pf);
        }
    }
    return rounded;
}

std::optional<MeasuredTuning> standardDescent(const RetrimSpace& space, MeasuredTuning from,
                                              TuningMeasures& measures,
                                              const std::function<void(double)>& progress,
                                              std::atomic<bool>& cancel) {
    MeasuredTuning best = std::move(from);
    for (int round = 1;; ++round) {
        const std::vector<CircuitTuning> candidates =
            neighbours(space, best.tuning, measures.settings());
        const std::optional<std::vector<double>> values = measures(candidates, cancel);
        if (!values) {
            return std::nullopt;
        }
        const auto least = std::min_element(values->begin(), values->end());
        if (least == values->end() || !(*least < best.measure)) {
            return best;
        }
        best = {candidates[static_cast<std::size_t>(least - values->begin())], *least};
        if (progress) {
            // The rounds it takes are not known: each brings it half the rest of the way.
            progress(1 - std::pow(0.5, round));
        }
    }
}

}  // namespace trellon
