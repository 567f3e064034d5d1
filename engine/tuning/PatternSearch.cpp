#include "PatternSearch.h"

#include <algorithm>
#include <cmath>

namespace trellon {

namespace {

std::vector<double> clamped(std::vector<double> x, const PatternSearchSettings& settings) {
    for (std::size_t i = 0; i < x.size(); ++i) {
        x[i] = std::clamp(x[i], settings.lowest[i], settings.highest[i]);
    }
    return x;
}

// The points one step either way along each coordinate that the bounds leave distinct.
std::vector<std::vector<double>> poll(const std::vector<double>& x, double step,
                                      const PatternSearchSettings& settings) {
    std::vector<std::vector<double>> points;
    for (std::size_t i = 0; i < x.size(); ++i) {
        for (const double sign : {-1.0, 1.0}) {
            std::vector<double> moved = x;
            moved[i] += sign * step;
            moved = clamped(moved, settings);
            if (moved[i] != x[i]) {
                points.push_back(std::move(moved));
            }
        }
    }
    return points;
}

}  // namespace

std::optional<SearchPoint> patternSearch(const PointValues& values, SearchPoint start,
                                         const PatternSearchSettings& settings,
                                         const std::function<void(double)>& progress) {
    SearchPoint best = std::move(start);
    const double way = std::log(settings.startStep / settings.endStep);
    for (double step = settings.startStep; step >= settings.endStep;) {
        const std::vector<std::vector<double>> points = poll(best.x, step, settings);
        const std::optional<std::vector<double>> polled = values(points);
        if (!polled) {
            return std::nullopt;
        }
        const auto least = std::min_element(polled->begin(), polled->end());
        if (least == polled->end() || !(*least < best.value)) {
            step /= 2;
            if (progress) {
                progress(std::min(1.0, std::log(settings.startStep / step) / way));
            }
            continue;
        }
        SearchPoint moved{points[static_cast<std::size_t>(least - polled->begin())], *least};
        // The same move once more, as long as it keeps improving.
        for (;;) {
            std::vector<double> further = moved.x;
            for (std::size_t i = 0; i < further.size(); ++i) {
                further[i] += moved.x[i] - best.x[i];
            }
            further = clamped(further, settings);
            const std::optional<std::vector<double>> value = values({further});
            if (!value) {
                return std::nullopt;
            }
            best = std::move(moved);
            if (!(value->front() < best.value)) {
                break;
            }
            moved = {further, value->front()};
        }
    }
    return best;
}

}  // namespace trellon
