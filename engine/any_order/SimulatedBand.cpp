#include "SimulatedBand.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace trellon {

namespace {

// A grid fine enough that a ripple's peak lies within a step of a point; then each refinement
// solves a batch of points across the interval left, to a billionth of the band.
constexpr int kGridPoints = 201;
constexpr int kRefinements = 8;
constexpr int kSections = BatchSolver::kLanes + 1;

struct Section {
    std::array<double, BatchSolver::kLanes> frequencies{};
    std::array<double, BatchSolver::kLanes> levels{};
};

// The levels at the points that cut [low, high] into equal sections.
Section sectionOf(BuiltFilterSolver& solver, double low, double high) {
    Section section;
    for (int i = 0; i < BatchSolver::kLanes; ++i) {
        section.frequencies[i] = low + (high - low) * (i + 1) / kSections;
    }
    solver.solveLevels(section.frequencies, section.levels);
    return section;
}

// The highest level near a grid point, searched between its neighbours: a ripple's peak falls
// between grid points.
double refinedPeak(BuiltFilterSolver& solver, double low, double high, double best) {
    for (int i = 0; i < kRefinements; ++i) {
        const Section section = sectionOf(solver, low, high);
        const auto peak = std::max_element(section.levels.begin(), section.levels.end());
        const auto at = static_cast<int>(peak - section.levels.begin());
        best = std::max(best, *peak);
        const double step = (high - low) / kSections;
        low = section.frequencies[at] - step;
        high = section.frequencies[at] + step;
    }
    return best;
}

// The crossing of `threshold` between an outside frequency, below it, and an inside one.
double crossing(BuiltFilterSolver& solver, double outside, double inside, double threshold) {
    for (int i = 0; i < kRefinements; ++i) {
        const bool rising = outside < inside;
        const Section section =
            sectionOf(solver, std::min(outside, inside), std::max(outside, inside));
        // Walk from the outside end to the first point within the band.
        double lastOutside = outside;
        double firstInside = inside;
        for (int j = 0; j < BatchSolver::kLanes; ++j) {
            const int k = rising ? j : BatchSolver::kLanes - 1 - j;
            if (section.levels[k] >= threshold) {
                firstInside = section.frequencies[k];
                break;
            }
            lastOutside = section.frequencies[k];
        }
        outside = lastOutside;
        inside = firstInside;
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
                                          frequencies[std::min(at + 1, kGridPoints - 1)], *peak);
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
