#pragma once

#include <gtest/gtest.h>

#include "Calculation.h"
#include "Catalogue.h"
#include "DesignRun.h"
#include "RecordingChart.h"

namespace trellon {

// One complete calculation with the start-up inputs, so that the band at the level is known.
struct CalculatedDesign {
    DesignRun run;
    RecordingChart chart;
    RecordingTextView results;
    RecordingTextView log;

    CalculatedDesign(int topology, int response, bool absoluteLevel = false,
                     SweepEvaluation evaluation = SweepEvaluation::Batched) {
        run.state().Topology = topology;
        run.state().Response = response;
        run.state().AbsoluteLevel = absoluteLevel;
        CalculationInputs inputs{startupTexts(), "-10", responseDisplayName(response),
                                 true,           '.',   evaluation};
        CalculationViews views{run.view, chart, chart, results, log};
        EXPECT_EQ(RunCalculation(*run.engine, inputs, views), CalculationOutcome::Completed);
    }
    const DesignState& state() { return run.state(); }
};

}  // namespace trellon
