#pragma once

#include <vector>

#include "Complex.h"
#include "CurveRecord.h"
#include "WideSpan.h"

namespace trellon {

// One frequency of a curve with every quantity the views show: level (in the curve's level
// mode), phase and group delay of the circuit model, and the input terminal of the circuit as
// built. NaN where the circuit equations have no solution.
struct ResponseRow {
    double frequencyHz = 0;
    double detuningKhz = 0;
    double levelDb = 0;
    double phaseDegrees = 0;  // (-180, 180]
    double groupDelayUs = 0;
    double returnLossDb = 0;
    Complex inputImpedance;
};

// At the curve's traced points, from the load voltages it keeps: only the group delay (from the
// derivative of the circuit model's solution) and the terminal quantities are solved anew.
std::vector<ResponseRow> tracedResponseTable(const CurveRecord& curve);

// Over a span around the curve's band centre, every quantity solved at the span's points.
std::vector<ResponseRow> spanResponseTable(const CurveRecord& curve, const SpanSettings& settings);

}  // namespace trellon
