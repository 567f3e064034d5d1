#include "EngineHarness.h"

#include <cmath>
#include <memory>

#include "Calculation.h"
#include "CommandError.h"
#include "FuzzInput.h"
#include "NullViews.h"
#include "NumberText.h"

namespace trellon::fuzz {

namespace {

// Draws nothing, but remembers whether any point given to the chart was not finite.
class CheckingViews : public NullViews {
public:
    void addPoints(int, std::span<const double> x, std::span<const double> y) override {
        for (std::size_t i = 0; i < x.size(); ++i) {
            finitePoints = finitePoints && std::isfinite(x[i]) && std::isfinite(y[i]);
        }
    }

    bool finitePoints = true;
};

}  // namespace

bool CheckCalculation(const std::uint8_t* data, std::size_t size) {
    // One engine for every input, as the window keeps one for a whole run.
    static const std::unique_ptr<Engine> engine = makeEngine();
    FuzzInput input(data, size);
    DesignState& s = engine->state;
    s.Topology = input.pick(1, 7);
    s.Response = input.pick(1, 8);
    s.AbsoluteLevel = input.pick(0, 1) == 1;
    s.CalcCount = input.pick(0, 4);
    CalculationInputs inputs;
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

    CheckingViews views;
    CalculationViews calculationViews{views, views, views, views, views};
    try {
        if (RunCalculation(*engine, inputs, calculationViews) != CalculationOutcome::Completed) {
            return views.finitePoints;
        }
    } catch (const CommandError&) {
        return views.finitePoints;
    }
    for (double figure : {s.Amin, s.FAmin, s.BandLow, s.BandHigh, s.BandWidthAtLevel, s.LevelAtFo,
                          s.AttenuationAtFo, s.Rin}) {
        if (!std::isfinite(figure)) {
            return false;
        }
    }
    return views.finitePoints;
}

bool CheckNumberText(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const char separator = input.pick(0, 2) == 0 ? ',' : (input.pick(0, 1) ? '.' : '\'');
    const int precision = input.pick(1, 17);
    const std::string text = input.line();
    const std::string normalized = NormalizeDecimalSeparator(text, separator);
    if (normalized.size() != text.size()) {
        return false;
    }
    try {
        TextToInt(text);
    } catch (const CommandError&) {
    }
    double value = 0;
    try {
        value = TextToFloat(normalized, separator);
    } catch (const CommandError&) {
        return true;
    }
    if (!std::isfinite(value)) {
        return false;
    }
    const std::string formatted = FormatGeneral(value, precision, separator);
    if (separator != '.' && separator != ',') {
        return true;
    }
    return FormatGeneral(TextToFloat(formatted, separator), precision, separator) == formatted;
}

}  // namespace trellon::fuzz
