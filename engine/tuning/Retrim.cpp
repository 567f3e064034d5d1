#include "Retrim.h"

#include <algorithm>
#include <cmath>

#include "CommandError.h"
#include "MinimaxSearch.h"
#include "RetrimSpace.h"
#include "StandardDescent.h"
#include "TuningMeasures.h"

namespace trellon {

namespace {

// The continuous search's first trust region: a fifth of a value's logarithm (or of the band in
// a raise); it ends at a millionth.
constexpr double kFirstRadius = 0.2;
constexpr double kLastRadius = 1e-6;

// Shares of the progress: the continuous search, the polish of the snapped trimmers; the
// standard values take the rest.
constexpr double kSearchShare = 0.6;
constexpr double kPolishShare = 0.75;

// The progress of a stage that runs from `from` to `to` of the whole.
std::function<void(double)> stage(const ProgressCallback& progress, double from, double to) {
    return [&progress, from, to](double share) {
        if (progress) {
            progress(from + (to - from) * share);
        }
    };
}

class RetrimRun {
public:
    RetrimRun(const RetrimSpace& space, TuningMeasures& measures, const ProgressCallback& progress,
              std::atomic<bool>& cancel)
        : space_(space), measures_(measures), progress_(progress), cancel_(cancel) {}

    std::optional<MinimaxPoint> search(MinimaxPoint from, std::vector<double> lowest,
                                       std::vector<double> highest, double done, double to) {
        MinimaxProblem problem;
        problem.fits = [this](const std::vector<std::vector<double>>& points) {
            std::vector<CircuitTuning> tunings;
            for (const std::vector<double>& point : points) {
                tunings.push_back(space_.tuning(point));
            }
            return measures_.fits(tunings, cancel_);
        };
        problem.deviations = [this](const std::vector<std::pair<std::vector<double>, double>>& at) {
            std::vector<std::pair<CircuitTuning, double>> shifted;
            for (const auto& [point, shiftHz] : at) {
                shifted.emplace_back(space_.tuning(point), shiftHz);
            }
            return measures_.deviations(shifted, cancel_);
        };
        problem.lowest = std::move(lowest);
        problem.highest = std::move(highest);
        problem.shiftStepHz = measures_.grid().stepHz;
        return minimaxSearch(problem, std::move(from), kFirstRadius, kLastRadius,
                             stage(progress_, done, to));
    }

    std::optional<MinimaxPoint> start() {
        const std::vector<double> x = space_.startPoint();
        std::optional<std::vector<ShapeFit>> fit = measures_.fits({space_.tuning(x)}, cancel_);
        if (!fit) {
            return std::nullopt;
        }
        return MinimaxPoint{x, fit->front()};
    }

    // Each trimmer between short and the least raise a trimmer of the range gives goes to the
    // better of the two, one after the other in ladder order; then the raises are polished within
    // the range (or kept short).
    std::optional<MinimaxPoint> snapTrimmers(MinimaxPoint point) {
        std::vector<double> lowest = space_.lowest();
        std::vector<double> highest = space_.highest();
        const std::vector<std::size_t> variable = space_.variableSlots();
        for (std::size_t k = 0; k < variable.size(); ++k) {
            const std::size_t at = space_.groups.size() + k;
            const double least = space_.leastRaise(space_.slots[variable[k]]);
            if (point.x[at] > 0 && point.x[at] < least) {
                std::vector<double> shorted = point.x;
                std::vector<double> ranged = point.x;
                shorted[at] = 0;
                ranged[at] = least;
                const std::optional<std::vector<ShapeFit>> both =
                    measures_.fits({space_.tuning(shorted), space_.tuning(ranged)}, cancel_);
                if (!both) {
                    return std::nullopt;
                }
                point = (*both)[0].deviation <= (*both)[1].deviation
                            ? MinimaxPoint{shorted, (*both)[0]}
                            : MinimaxPoint{ranged, (*both)[1]};
            }
            if (point.x[at] == 0) {
                highest[at] = 0;
            } else {
                lowest[at] = least;
            }
        }
        return search(std::move(point), lowest, highest, kSearchShare, kPolishShare);
    }

    MeasuredTuning measured(const CircuitTuning& tuning) { return {tuning, measures_(tuning)}; }

private:
    const RetrimSpace& space_;
    TuningMeasures& measures_;
    const ProgressCallback& progress_;
    std::atomic<bool>& cancel_;
};

// The tuning of `space` with every free capacitor at the bench's fitted value and every trimmer
// short: the design's values plainly rounded.
CircuitTuning benchAsFitted(const RetrimSpace& space, const BenchCircuit& bench) {
    CircuitTuning fitted = space.start;
    for (const CapacitorGroup& group : space.groups) {
        for (const std::string& name : group.names) {
            for (const BenchCapacitor& c : bench.capacitors) {
                if (c.name == name) {
                    fitted.capacitorsPf[name] = c.fittedPf;
                }
            }
        }
    }
    for (const TrimmerSlot& slot : space.slots) {
        fitted.trimmersPf.erase(slot.crystal);
    }
    return fitted;
}

RetrimResult resultOf(const RetrimSpace& space, const BenchCircuit& bench,
                      const BenchSettings& settings, const CircuitTuning& start,
                      const MeasuredTuning& end) {
    RetrimResult result;
    result.tuning = end.tuning;
    result.measureAfter = end.measure;
    const BenchCircuit from = tunedBenchCircuit(bench, start, settings);
    const BenchCircuit to = tunedBenchCircuit(bench, end.tuning, settings);
    for (std::size_t i = 0; i < from.capacitors.size(); ++i) {
        const std::string& name = from.capacitors[i].name;
        for (const CapacitorGroup& group : space.groups) {
            if (std::find(group.names.begin(), group.names.end(), name) != group.names.end()) {
                double toPf = 0;
                for (const BenchCapacitor& c : to.capacitors) {
                    toPf = c.name == name ? c.fittedPf : toPf;
                }
                result.capacitors.push_back({name, from.capacitors[i].fittedPf, toPf});
            }
        }
    }
    for (const TrimmerSlot& slot : space.slots) {
        const auto trimmer = end.tuning.trimmersPf.find(slot.crystal);
        result.trimmers.push_back({slot.crystal, trimmer == end.tuning.trimmersPf.end()
                                                     ? std::nullopt
                                                     : std::optional(trimmer->second)});
    }
    return result;
}

}  // namespace

std::optional<RetrimResult> retrim(const CalculatedDesign& design, const BenchCircuit& bench,
                                   const BenchSettings& benchSettings, const CircuitTuning& start,
                                   const RetrimSettings& settings, const ProgressCallback& progress,
                                   std::atomic<bool>& cancel) {
    if (settings.measurePoints < 3) {
        throw CommandError("the retrim's measure needs at least 3 frequencies");
    }
    const RetrimSpace space =
        makeRetrimSpace(bench, benchSettings, start, settings.freeCapacitors, settings.symmetric,
                        !settings.onlyTrimmers, settings.trimmerMinPf, settings.trimmerMaxPf,
                        design.band.widthHz());
    TuningMeasures measures(design, bench, benchSettings, settings.measurePoints, settings.threads);
    RetrimRun run(space, measures, progress, cancel);
    const MeasuredTuning before = run.measured(start);

    std::optional<MinimaxPoint> point = run.start();
    if (point) {
        point = run.search(std::move(*point), space.lowest(), space.highest(), 0, kSearchShare);
    }
    if (point && !space.slots.empty()) {
        point = run.snapTrimmers(std::move(*point));
    }
    if (!point) {
        return std::nullopt;
    }
    MeasuredTuning best{space.tuning(point->x), point->fit.deviation};
    std::optional<double> plainMeasure;
    if (benchSettings.eSeries != 0) {
        const MeasuredTuning plain = run.measured(benchAsFitted(space, bench));
        plainMeasure = plain.measure;
        const MeasuredTuning rounded =
            run.measured(roundedTuning(space, best.tuning, benchSettings));
        const std::optional<MeasuredTuning> descended =
            standardDescent(space, rounded.measure <= plain.measure ? rounded : plain, measures,
                            stage(progress, kPolishShare, 1), cancel);
        if (!descended) {
            return std::nullopt;
        }
        best = *descended;
    }
    if (!(best.measure < before.measure)) {
        best = before;
    }
    if (progress) {
        progress(1);
    }
    RetrimResult result = resultOf(space, bench, benchSettings, start, best);
    const std::optional<std::vector<ShapeFit>> shifts = measures.fits({start, best.tuning}, cancel);
    if (!shifts) {
        return std::nullopt;
    }
    result.shiftBeforeHz = (*shifts)[0].shiftHz;
    result.shiftAfterHz = (*shifts)[1].shiftHz;
    result.measureBefore = before.measure;
    result.plainRoundingMeasure = plainMeasure;
    return result;
}

}  // namespace trellon
