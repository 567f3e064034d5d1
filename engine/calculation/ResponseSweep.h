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

// How the sweep evaluates its walks: a batch of steps ahead of the walk, or each step alone.
// Both give the same results, messages and points.
enum class SweepEvaluation { Batched, OneAtATime };

// Traces the response of the circuit that the synthesis just built and solved at Fo: the peak,
// the band at FrLevel below it and its width; plots the band into the chart and, when it gets
// through, writes the report. Returns false after one of its messages.
bool RunResponseSweep(Engine& engine, bool overlay, SweepViews& views, const ReportTexts& texts,
                      char decimalSeparator, SweepEvaluation evaluation = SweepEvaluation::Batched);

}  // namespace trellon
