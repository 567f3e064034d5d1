#pragma once

#include "CalculationReport.h"
#include "DesignView.h"
#include "Engine.h"
#include "ResponseChart.h"
#include "TextView.h"

namespace trellon {

struct SweepViews {
    ResponseChart& chart;
    CurvePanels& panels;
    TextView& results;
    TextView& log;
    DesignView& messages;
};

// Traces the response of the circuit that the synthesis just built and solved at Fo: the peak,
// the band at FrLevel below it and its width; plots the band into the chart and, when it gets
// through, writes the report. Returns false after one of its messages.
bool RunResponseSweep(Engine& engine, bool overlay, SweepViews& views, const ReportTexts& texts,
                      char decimalSeparator);

}  // namespace trellon
