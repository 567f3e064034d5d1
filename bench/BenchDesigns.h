#pragma once

#include <memory>
#include <string>

#include "Calculation.h"
#include "Engine.h"
#include "NullViews.h"

namespace trellon::bench {

// The window's start-up inputs.
inline CalculationInputs startUpInputs() {
    CalculationInputs inputs;
    inputs.design = {"8863.682", "17.15", "3.3", "5.7", "82", "3100"};
    inputs.level = "-10";
    inputs.filterType = "bench";
    inputs.decimalSeparator = '.';
    return inputs;
}

// An engine holding the synthesised start-up design of `topology`, its netlist prepared.
inline std::unique_ptr<Engine> designedEngine(int topology, int response) {
    auto engine = makeEngine();
    engine->state.Topology = topology;
    engine->state.Response = response;
    NullViews views;
    SynthesizeFilter(*engine, startUpInputs().design, '.', views);
    return engine;
}

}  // namespace trellon::bench
