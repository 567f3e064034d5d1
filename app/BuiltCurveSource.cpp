#include "BuiltCurveSource.h"

#include <cmath>

#include "BuiltFilter.h"
#include "BuiltFilterSolver.h"

namespace trellon {

std::vector<double> gapsForNonFinite(std::vector<double> values) {
    for (double& v : values) {
        if (!std::isfinite(v)) {
            v = std::nan("");
        }
    }
    return values;
}

CurveSeriesSource builtCurveSource(std::shared_ptr<const BuiltCircuit> circuit, CurveFigures band,
                                   bool absolute, std::shared_ptr<const CurveRecord> design,
                                   std::shared_ptr<const SpanSettings> wideSpan) {
    return [circuit, band, absolute, design, wideSpan](ChartQuantity quantity) -> CurveSeries {
        if (quantity != ChartQuantity::WideSpan || !design || !wideSpan) {
            return {};
        }
        const std::vector<double> frequencies = spanFrequencies(*design, *wideSpan);
        std::vector<double> levels(frequencies.size());
        BuiltFilterSolver solver;
        solver.prepare(*circuit);
        solver.solveLevels(frequencies, levels);
        CurveSeries series;
        for (std::size_t i = 0; i < frequencies.size(); ++i) {
            series.x.push_back((frequencies[i] - design->foHz) / 1000);
            series.y.push_back(displayedLevel(levels[i], band, absolute));
        }
        series.y = gapsForNonFinite(std::move(series.y));
        return series;
    };
}

}  // namespace trellon
