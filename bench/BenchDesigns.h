#pragma once

#include <memory>
#include <string>

#include "Calculation.h"
#include "Engine.h"

namespace trellon::bench {

// Views that draw nothing, so a benchmark measures the engine alone.
class NullViews : public DesignView, public ResponseChart, public CurvePanels, public TextView {
public:
    void showWarning(const std::string&) override {}
    void showResultsPanel() override {}
    void setResultField(ResultField, const std::string&) override {}
    void clearCurve(int) override {}
    void addPoints(int, std::span<const double>, std::span<const double>) override {}
    void setAxisAutomatic() override {}
    void setAxisFixed(double, double) override {}
    void setPanelText(int, const std::string&) override {}
    void setPanelCaption(int, const std::string&) override {}
    void setPanelStyle(int, PanelStyle) override {}
    void setPanelBevel(int, PanelBevel) override {}
    void show() override {}
    void appendLine(const std::string&) override {}
};

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
