#pragma once

#include <QString>
#include <vector>

#include "ChartQuantity.h"

namespace trellon {

// A curve's value at detuning x, linearly interpolated between the two points around it; NaN
// outside the curve or next to a gap.
double interpolatedValue(const CurveSeries& series, double x);

struct ReadoutValue {
    QString caption;
    double value;  // NaN: the curve does not reach the pointer
};

// The read-out under the pointer: the detuning and the absolute frequency on the first line,
// then each curve that reaches the pointer with its value in `unit`.
QString readoutText(double detuningKhz, double foKhz, const std::vector<ReadoutValue>& values,
                    const QString& unit, char decimalSeparator);

}  // namespace trellon
