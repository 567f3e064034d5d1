#include "ShapeFit.h"

#include <algorithm>
#include <cmath>

namespace trellon {

namespace {

constexpr double kGolden = 0.6180339887498949;  // (sqrt(5) - 1) / 2

ShapeFit better(const ShapeFit& a, const ShapeFit& b) {
    return b.deviation < a.deviation ? b : a;
}

// Golden-section search of a fit that is a function of the shift over [low, high].
template <typename Fit>
ShapeFit goldenSection(const Fit& fitAt, double low, double high, double toleranceHz,
                       ShapeFit best) {
    double inner1 = high - kGolden * (high - low);
    double inner2 = low + kGolden * (high - low);
    ShapeFit fit1 = fitAt(inner1);
    ShapeFit fit2 = fitAt(inner2);
    while (high - low > toleranceHz) {
        if (fit1.deviation <= fit2.deviation) {
            high = inner2;
            inner2 = inner1;
            fit2 = fit1;
            inner1 = high - kGolden * (high - low);
            fit1 = fitAt(inner1);
        } else {
            low = inner1;
            inner1 = inner2;
            fit1 = fit2;
            inner2 = low + kGolden * (high - low);
            fit2 = fitAt(inner2);
        }
    }
    return better(best, better(fit1, fit2));
}

}  // namespace

ShapeFit levelFit(std::span<const double> levelDeviations, double shiftHz) {
    double lowest = HUGE_VAL;
    double highest = -HUGE_VAL;
    for (double deviation : levelDeviations) {
        if (!std::isfinite(deviation)) {
            return {HUGE_VAL, shiftHz, 0};
        }
        lowest = std::min(lowest, deviation);
        highest = std::max(highest, deviation);
    }
    if (levelDeviations.empty()) {
        return {0, shiftHz, 0};
    }
    return {(highest - lowest) / 2, shiftHz, -(highest + lowest) / 2};
}

ShapeFit refineShift(const ShiftedDeviations& deviations, std::span<double> scratch, double lowHz,
                     double highHz, double toleranceHz, ShapeFit known) {
    const auto fitAt = [&](double shift) {
        deviations(shift, scratch);
        return levelFit(scratch, shift);
    };
    return goldenSection(fitAt, lowHz, highHz, toleranceHz, known);
}

ShapeFit linearisedFit(std::span<const double> levelDeviations, std::span<const double> slopes,
                       double shiftHz, double reachHz, std::span<double> scratch) {
    const ShapeFit atShift = levelFit(levelDeviations, shiftHz);
    if (!std::isfinite(atShift.deviation)) {
        return atShift;
    }
    // The half range of affine functions of the shift is convex, so golden section finds its
    // minimum; a thousandth of the reach is far below what the linearisation is good for.
    const auto fitAt = [&](double shift) {
        for (std::size_t k = 0; k < levelDeviations.size(); ++k) {
            scratch[k] = levelDeviations[k] + slopes[k] * (shift - shiftHz);
        }
        return levelFit(scratch.first(levelDeviations.size()), shift);
    };
    return goldenSection(fitAt, shiftHz - reachHz, shiftHz + reachHz, reachHz / 1000, atShift);
}

}  // namespace trellon
