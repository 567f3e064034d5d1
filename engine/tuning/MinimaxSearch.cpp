#include "MinimaxSearch.h"

#include <algorithm>
#include <cmath>

#include "LinearMinimax.h"

namespace trellon {

namespace {

constexpr double kDifferenceStep = 1e-6;  // in a coordinate, for its slopes
constexpr double kShiftDifferenceHz = 0.01;
constexpr double kNoImprovementDb = 1e-7;
constexpr int kMostSteps = 200;
constexpr double kWidestRadius = 0.5;

struct LinearModel {
    std::vector<double> deviations;
    std::vector<std::vector<double>> slopes;  // per deviation: per coordinate, then the shift's
};

// The deviations at `at` and their slopes; nothing when cancelled. A slope that is not a number
// (a silent point) counts as flat.
std::optional<LinearModel> modelAt(const MinimaxProblem& problem, const MinimaxPoint& at) {
    const std::size_t n = at.x.size();
    const double shift = at.fit.shiftHz;
    std::vector<std::pair<std::vector<double>, double>> points{{at.x, shift},
                                                               {at.x, shift + kShiftDifferenceHz}};
    for (std::size_t i = 0; i < n; ++i) {
        std::vector<double> moved = at.x;
        // Forward, or backward at the upper bound.
        moved[i] +=
            moved[i] + kDifferenceStep <= problem.highest[i] ? kDifferenceStep : -kDifferenceStep;
        points.emplace_back(std::move(moved), shift);
    }
    const std::optional<std::vector<std::vector<double>>> found = problem.deviations(points);
    if (!found) {
        return std::nullopt;
    }
    LinearModel model{(*found)[0], {}};
    for (std::size_t k = 0; k < model.deviations.size(); ++k) {
        std::vector<double> row;
        for (std::size_t i = 0; i <= n; ++i) {
            const bool isShift = i == n;
            const std::size_t from = isShift ? 1 : i + 2;
            const double step = isShift ? kShiftDifferenceHz / problem.shiftStepHz
                                        : points[from].first[i] - at.x[i];
            const double slope = ((*found)[from][k] - model.deviations[k]) / step;
            row.push_back(std::isfinite(slope) ? slope : 0);
        }
        model.slopes.push_back(std::move(row));
    }
    return model;
}

}  // namespace

std::optional<MinimaxPoint> minimaxSearch(const MinimaxProblem& problem, MinimaxPoint start,
                                          double firstRadius, double lastRadius,
                                          const std::function<void(double)>& progress) {
    MinimaxPoint best = std::move(start);
    const std::size_t n = best.x.size();
    double radius = firstRadius;
    double shown = 0;
    for (int step = 0; step < kMostSteps && radius >= lastRadius; ++step) {
        // The narrowing of the region tells how far it has come; it may widen again, so the
        // share shown only grows.
        shown = std::max({shown, static_cast<double>(step) / kMostSteps,
                          std::log(firstRadius / radius) / std::log(firstRadius / lastRadius)});
        if (progress) {
            progress(std::min(shown, 1.0));
        }
        const std::optional<LinearModel> model = modelAt(problem, best);
        if (!model) {
            return std::nullopt;
        }
        std::vector<double> lowest(n + 1, -1.0);
        std::vector<double> highest(n + 1, 1.0);
        for (std::size_t i = 0; i < n; ++i) {
            lowest[i] = std::min(0.0, std::max(problem.lowest[i] - best.x[i], -radius));
            highest[i] = std::max(0.0, std::min(problem.highest[i] - best.x[i], radius));
        }
        const LinearMinimax linear =
            linearMinimax(model->deviations, model->slopes, lowest, highest);
        const double predicted = best.fit.deviation - linear.worst;
        if (!(predicted > kNoImprovementDb)) {
            break;
        }
        std::vector<double> next = best.x;
        for (std::size_t i = 0; i < n; ++i) {
            next[i] = std::clamp(next[i] + linear.step[i], problem.lowest[i], problem.highest[i]);
        }
        const std::optional<std::vector<ShapeFit>> fit = problem.fits({next});
        if (!fit) {
            return std::nullopt;
        }
        const double gained = best.fit.deviation - fit->front().deviation;
        if (gained > 0) {
            best = {std::move(next), fit->front()};
            if (gained > predicted / 2) {
                radius = std::min(2 * radius, kWidestRadius);
            }
        } else {
            radius /= 4;
        }
    }
    return best;
}

}  // namespace trellon
