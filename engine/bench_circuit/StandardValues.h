#pragma once

#include <optional>
#include <span>

namespace trellon {

// The preferred-number series capacitors are sold in.
bool isESeries(int series);  // 6, 12, 24, 48 or 96

// The series' values in one decade as whole numbers: two digits (10..82) for E6 to E24, three
// (100..976) for E48 and E96. Throws std::invalid_argument for another series.
std::span<const int> eSeriesDigits(int series);

// Whether `value` (> 0, any unit) is a value of the series in some decade.
bool isStandardValue(double value, int series);

// The series value nearest to `value` (> 0, finite) on a logarithmic scale, across decades;
// a value exactly between two goes to the lower one.
double nearestStandardValue(double value, int series);

// The standard neighbours of `value`: the largest series value at most and the smallest at
// least `value` (equal when `value` is one).
struct StandardNeighbours {
    double below = 0;
    double above = 0;
};
StandardNeighbours standardNeighbours(double value, int series);

// A capacitor as fitted: one standard value, or two in parallel (larger first).
struct StandardChoice {
    double first = 0;
    std::optional<double> second;
    double total() const { return second ? first + *second : first; }
};

// The two series values whose sum lies nearest to `value` on a logarithmic scale.
StandardChoice bestParallelPair(double value, int series);

// How far `fitted` lies from `value`, per cent of `value`.
double deviationPercent(double fitted, double value);

// The value to fit for `value`: the nearest single one while it lies within
// `parallelTolerancePercent` (or always, without a tolerance); otherwise the best parallel pair
// when it lies within the tolerance, and failing that the nearer of the single value and the pair.
StandardChoice standardChoice(double value, int series,
                              std::optional<double> parallelTolerancePercent);

}  // namespace trellon
