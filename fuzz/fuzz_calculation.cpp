// The whole calculation on arbitrary texts, topologies, responses and level modes: it must
// either complete with finite figures or end with one of its messages or a command error.
#include <cmath>
#include <cstdlib>
#include <memory>

#include "Calculation.h"
#include "CommandError.h"
#include "FuzzInput.h"

namespace {

class NullViews : public trellon::DesignView,
                  public trellon::ResponseChart,
                  public trellon::CurvePanels,
                  public trellon::TextView {
public:
    void showWarning(const std::string&) override {}
    void showResultsPanel() override {}
    void setResultField(trellon::ResultField, const std::string&) override {}
    void clearCurve(int) override {}
    void addPoints(int, std::span<const double> x, std::span<const double> y) override {
        for (std::size_t i = 0; i < x.size(); ++i) {
            if (!std::isfinite(x[i]) || !std::isfinite(y[i])) {
                std::abort();
            }
        }
    }
    void setAxisAutomatic() override {}
    void setAxisFixed(double, double) override {}
    void setPanelText(int, const std::string&) override {}
    void setPanelCaption(int, const std::string&) override {}
    void setPanelStyle(int, trellon::PanelStyle) override {}
    void setPanelBevel(int, trellon::PanelBevel) override {}
    void show() override {}
    void appendLine(const std::string&) override {}
};

void requireFinite(double value) {
    if (!std::isfinite(value)) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static auto engine = std::make_unique<trellon::Engine>();
    trellon::fuzz::FuzzInput input(data, size);
    trellon::DesignState& s = engine->state;
    s.Topology = input.pick(1, 7);
    s.Response = input.pick(1, 8);
    s.AbsoluteLevel = input.pick(0, 1) == 1;
    s.CalcCount = input.pick(0, 4);
    trellon::CalculationInputs inputs;
    inputs.overlay = input.pick(0, 1) == 1;
    inputs.decimalSeparator = input.pick(0, 1) ? '.' : ',';
    inputs.design.fo = input.line();
    inputs.design.ld = input.line();
    inputs.design.cs = input.line();
    inputs.design.rd = input.line();
    inputs.design.ccor = input.line();
    inputs.design.dF = input.line();
    inputs.level = input.line();
    inputs.filterType = "fuzz";

    NullViews views;
    trellon::CalculationViews calculationViews{views, views, views, views, views};
    try {
        if (trellon::RunCalculation(*engine, inputs, calculationViews) ==
            trellon::CalculationOutcome::Completed) {
            for (double v : {s.Amin, s.FAmin, s.BandLow, s.BandHigh, s.BandWidthAtLevel,
                             s.LevelAtFo, s.AttenuationAtFo, s.Rin}) {
                requireFinite(v);
            }
        }
    } catch (const trellon::CommandError&) {
    }
    return 0;
}
