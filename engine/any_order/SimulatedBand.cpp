#include "SimulatedBand.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace trellon {

namespace {

constexpr int kGridPoints = 1201;

double levelAt(BuiltFilterSolver& solver, double frequencyHz) {
    double level = 0;
    solver.solveLevels(std::span(&frequencyHz, 1), std::span(&level, 1));
    return level;
}

// The highest level near a grid point, by golden section between its neighbours: a ripple's
// peak falls between grid points.
double refinedPeak(BuiltFilterSolver& solver, double low, double high) {
    const double ratio = (std::sqrt(5.0) - 1) / 2;
    double best = -INFINITY;
    for (int i = 0; i < 50; ++i) {
        const double a = high - ratio * (high - low);
        const double b = low + ratio * (high - low);
        const double la = levelAt(solver, a);
        const double lb = levelAt(solver, b);
        best = std::max({best, la, lb});
        if (la > lb) {
            high = b;
        } else {
            low = a;
        }
    }
    return best;
}

// The crossing of `threshold` between an outside frequency and an inside one, by bisection.
double crossing(BuiltFilterSolver& solver, double outside, double inside, double threshold) {
    for (int i = 0; i < 50; ++i) {
        const double middle = 0.5 * (outside + inside);
        (levelAt(solver, middle) >= threshold ? inside : outside) = middle;
    }
    return 0.5 * (outside + inside);
}

}  // namespace

SimulatedBand simulatedBand(BuiltFilterSolver& solver, double centreHz, double halfSpanHz,
                            double edgeLossDb) {
    std::vector<double> frequencies(kGridPoints);
    std::vector<double> levels(kGridPoints);
    for (int widening = 0; widening < 8; ++widening, halfSpanHz *= 2) {
        for (int i = 0; i < kGridPoints; ++i) {
            frequencies[i] = centreHz + halfSpanHz * (2.0 * i / (kGridPoints - 1) - 1);
        }
        solver.solveLevels(frequencies, levels);
        const auto peak = std::max_element(levels.begin(), levels.end());
        if (!std::isfinite(*peak)) {
            return {};
        }
        const int at = static_cast<int>(peak - levels.begin());
        SimulatedBand band;
        band.highestLevelDb = refinedPeak(solver, frequencies[std::max(at - 1, 0)],
                                          frequencies[std::min(at + 1, kGridPoints - 1)]);
        const double threshold = band.highestLevelDb - edgeLossDb;
        if (levels.front() >= threshold || levels.back() >= threshold) {
            continue;
        }
        int first = 0;
        while (levels[first] < threshold) {
            ++first;
        }
        int last = kGridPoints - 1;
        while (levels[last] < threshold) {
            --last;
        }
        band.lowerHz = crossing(solver, frequencies[first - 1], frequencies[first], threshold);
        band.upperHz = crossing(solver, frequencies[last + 1], frequencies[last], threshold);
        return band;
    }
    return {};
}

}  // namespace trellon
