#include "WideSpan.h"

#include <limits>

#include "CommandError.h"
#include "GridSolve.h"
#include "NumberText.h"

namespace trellon {

void requireSpanFitsCentre(double centreHz, double halfWidthHz, int points) {
    if (settings::spanFitsCentre(centreHz, halfWidthHz, points)) {
        return;
    }
    const std::string span = "the span of +-" + FormatGeneral(halfWidthHz / 1000, 15, '.') +
                             " kHz around " + FormatGeneral(centreHz / 1000, 15, '.') + " kHz";
    if (centreHz - halfWidthHz <= 0) {
        throw CommandError(span + " reaches down to 0 Hz");
    }
    throw CommandError(span + " puts its " + std::to_string(points) +
                       " points less than 1 mHz apart");
}

std::vector<double> spanFrequencies(const CurveRecord& curve, const SpanSettings& settings) {
    const double halfWidth =
        settings.halfWidthHz == 0 ? 10 * curve.passBandHz : settings.halfWidthHz;
    if (!settings::kSpanPoints.accepts(settings.points) ||
        !settings::kSpanKhz.accepts(halfWidth / 1000)) {
        throw CommandError("a span needs two points and a positive width");
    }
    const double centre = (curve.bandLowHz + curve.bandHighHz) / 2;
    requireSpanFitsCentre(centre, halfWidth, settings.points);
    const double low = centre - halfWidth;
    const double width = 2 * halfWidth;
    std::vector<double> frequencies(static_cast<std::size_t>(settings.points));
    const int last = settings.points - 1;
    for (int i = 0; i <= last; ++i) {
        frequencies[i] = low + width * i / last;
    }
    return frequencies;
}

SpanResponse traceWideSpan(const CurveRecord& curve, const SpanSettings& settings) {
    SpanResponse span;
    span.frequencyHz = spanFrequencies(curve, settings);
    const std::vector<GridPoint> points = SolveNetlistGrid(curve.model, span.frequencyHz);
    span.detuningKhz.reserve(points.size());
    span.loadVoltage.reserve(points.size());
    span.levelDb.reserve(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        span.detuningKhz.push_back((span.frequencyHz[i] - curve.foHz) / 1000);
        span.loadVoltage.push_back(points[i].solved ? points[i].loadVoltage : Complex{});
        span.levelDb.push_back(points[i].solved ? points[i].levelDb + curve.levelOffsetDb
                                                : std::numeric_limits<double>::quiet_NaN());
    }
    return span;
}

}  // namespace trellon
