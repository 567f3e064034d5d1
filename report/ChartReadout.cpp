#include "ChartReadout.h"

#include <algorithm>
#include <cmath>

#include "NumberText.h"

namespace trellon {

namespace {

// A number rounded to `decimals` places, without the trailing zeros.
QString rounded(double value, int decimals, char separator) {
    const double scale = std::pow(10.0, decimals);
    const double r = std::round(value * scale) / scale;
    return QString::fromStdString(FormatGeneral(r == 0 ? 0.0 : r, 15, separator));
}

}  // namespace

double interpolatedValue(const CurveSeries& series, double x) {
    const std::vector<double>& xs = series.x;
    if (xs.empty() || x < xs.front() || x > xs.back()) {
        return std::nan("");
    }
    const auto upper = std::lower_bound(xs.begin(), xs.end(), x);
    const auto i = static_cast<std::size_t>(upper - xs.begin());
    if (xs[i] == x) {
        return series.y[i];
    }
    const double x0 = xs[i - 1], x1 = xs[i];
    const double y0 = series.y[i - 1], y1 = series.y[i];
    return y0 + (y1 - y0) * (x - x0) / (x1 - x0);
}

QString readoutText(double detuningKhz, double foKhz, const std::vector<ReadoutValue>& values,
                    const QString& unit, char decimalSeparator) {
    QString text = QStringLiteral("Δf = %1 kHz   f = %2 kHz")
                       .arg(rounded(detuningKhz, 3, decimalSeparator),
                            rounded(foKhz + detuningKhz, 3, decimalSeparator));
    for (const ReadoutValue& v : values) {
        if (std::isfinite(v.value)) {
            text += QStringLiteral("\n%1: %2 %3")
                        .arg(v.caption, rounded(v.value, 3, decimalSeparator), unit);
        }
    }
    return text;
}

}  // namespace trellon
