#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "ChartQuantityKind.h"

namespace trellon {

inline constexpr int kChartQuantityCount = 4;

// A curve's points in one quantity: x the detuning from Fo in kHz, y in the quantity's unit,
// x ascending. NaN values are gaps.
struct CurveSeries {
    std::vector<double> x;
    std::vector<double> y;
};

// Gives a curve's points in a quantity other than its amplitude; an empty series where the
// curve has none. The chart asks at most once per curve and quantity.
using CurveSeriesSource = std::function<CurveSeries(ChartQuantity)>;

// The axis titles and the read-out unit of each quantity.
QString horizontalAxisTitle(ChartQuantity quantity);
QString verticalAxisTitle(ChartQuantity quantity);
QString quantityUnit(ChartQuantity quantity);

}  // namespace trellon
