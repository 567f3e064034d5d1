#pragma once

#include <memory>
#include <vector>

#include "BuiltCircuit.h"
#include "ChartQuantity.h"
#include "CurveFigures.h"
#include "CurveRecord.h"
#include "WideSpan.h"

namespace trellon {

// The values with minus infinity (a silent output) and NaN made NaN, which the chart draws as
// gaps.
std::vector<double> gapsForNonFinite(std::vector<double> values);

// What a built curve (the placed crystals, or the bench) shows beyond its amplitude: over the wide
// span, the circuit solved again at the span's frequencies around `design`, with every part it
// holds (each crystal's spurious modes too), its levels shown as its band curve shows them
// (`band` its figures over the band); nothing in the other quantities.
CurveSeriesSource builtCurveSource(std::shared_ptr<const BuiltCircuit> circuit, CurveFigures band,
                                   bool absolute, std::shared_ptr<const CurveRecord> design,
                                   std::shared_ptr<const SpanSettings> wideSpan);

}  // namespace trellon
