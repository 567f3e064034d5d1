#pragma once

#include <string>

#include "CalculationReport.h"
#include "DesignView.h"
#include "Engine.h"
#include "ResponseChart.h"
#include "ResponseSweep.h"
#include "Synthesis.h"
#include "TextView.h"

namespace trellon {

struct CalculationInputs {
    DesignTexts design;      // Fo, Ld, Cs, Rd, Ccor, dF as typed
    std::string level;       // the level field as typed
    std::string filterType;  // the response name field
    bool overlay = true;     // the overlay mode's check mark
    char decimalSeparator = '.';
    SweepEvaluation sweepEvaluation = SweepEvaluation::Batched;
};

// Everything a calculation draws on or writes to.
struct CalculationViews {
    DesignView& design;
    ResponseChart& chart;
    CurvePanels& panels;
    TextView& results;
    TextView& log;
};

// Told when the sweep starts and ends, so the window can show its busy cursor around it.
class SweepObserver {
public:
    virtual ~SweepObserver() = default;
    virtual void sweepStarted() {}
    virtual void sweepEnded() {}
};

enum class CalculationOutcome {
    SynthesisStopped,  // a synthesis warning was shown
    LevelRejected,  // "Задайте уровень АЧХ!" or "Уровень АЧХ задан не корректно!"
    SweepStopped,   // the sweep ended with a message; no report
    Completed,      // curve drawn and report written
};

// One calculation: synthesis, the level checks, the sweep and the report. A text that is not
// a number, or a zero that would divide, throws CommandError. The window adds only its own
// steps around it (clearing curves, cursor, showing the chart, CalcCount).
CalculationOutcome RunCalculation(Engine& engine, const CalculationInputs& inputs,
                                  CalculationViews& views, SweepObserver* observer = nullptr);

}  // namespace trellon
