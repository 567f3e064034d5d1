#pragma once

#include <vector>

#include "Complex.h"
#include "CurveRecord.h"
#include "SettingTables.h"

namespace trellon {

// A span of frequencies around the curve's band centre, midway between its band edges.
struct SpanSettings {
    double halfWidthHz = 0;  // 0: ten times the curve's pass band dF
    int points = settings::wholeDefault(settings::kSpanPoints);
};

// Throws CommandError when a span around `centreHz` reaches down to 0 Hz or puts its points
// less than a millihertz apart.
void requireSpanFitsCentre(double centreHz, double halfWidthHz, int points);

// `points` frequencies from centre - half width to centre + half width, both ends included.
// Throws CommandError for a number of points or a half width out of range or not fitting the
// band centre.
std::vector<double> spanFrequencies(const CurveRecord& curve, const SpanSettings& settings);

// The curve's circuit model solved over a span, its levels drawn as the curve draws them.
struct SpanResponse {
    std::vector<double> frequencyHz;
    std::vector<double> detuningKhz;   // from Fo
    std::vector<Complex> loadVoltage;  // zero where the equations have no solution
    std::vector<double> levelDb;       // NaN where they have none; minus infinity when silent
};

SpanResponse traceWideSpan(const CurveRecord& curve, const SpanSettings& settings = {});

}  // namespace trellon
