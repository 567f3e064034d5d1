#pragma once

#include <gtest/gtest.h>

#include "CalculatedDesign.h"
#include "Calculation.h"
#include "Catalogue.h"
#include "DesignRun.h"
#include "RecordingChart.h"

namespace trellon {

// One complete calculation with the start-up inputs, so that the band at the level is known.
struct CalculatedRun {
    DesignRun run;
    RecordingChart chart;
    RecordingTextView results;
    RecordingTextView log;

    CalculatedRun(int topology, int response, bool absoluteLevel = false,
                  SweepEvaluation evaluation = SweepEvaluation::Batched,
                  const DesignTexts& texts = startupTexts()) {
        run.state().Topology = topology;
        run.state().Response = response;
        run.state().AbsoluteLevel = absoluteLevel;
        CalculationInputs inputs{texts, "-10", responseDisplayName(response),
                                 true,  '.',   evaluation};
        CalculationViews views{run.view, chart, chart, results, log};
        EXPECT_EQ(RunCalculation(*run.engine, inputs, views), CalculationOutcome::Completed);
    }
    DesignState& state() { return run.state(); }
    // The calculation as the analyses after it take it.
    std::shared_ptr<const CalculatedDesign> calculated() const {
        return calculatedDesignOf(*run.engine);
    }
};

}  // namespace trellon
