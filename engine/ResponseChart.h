#pragma once

#include <span>
#include <string>

namespace trellon {

inline constexpr int kCurveCount = 5;

// The response chart as the sweep and the calculation command use it: five curves k = 0..4.
class ResponseChart {
public:
    virtual ~ResponseChart() = default;
    virtual void clearCurve(int k) = 0;
    // Appends points to curve k in one batch; x is the detuning from Fo in kHz, y in dB.
    virtual void addPoints(int k, std::span<const double> x, std::span<const double> y) = 0;
    virtual void setAxisAutomatic() = 0;
    virtual void setAxisFixed(double minimum, double maximum) = 0;
};

enum class PanelStyle { OwnerDrawn, PlainText };
enum class PanelBevel { Lowered, Raised };

// The five curve status panels under the chart. A plain-text panel shows its text; an
// owner-drawn panel shows the caption of the calculation that drew its curve, in the curve's
// colour, or nothing while it has no caption.
class CurvePanels {
public:
    virtual ~CurvePanels() = default;
    virtual void setPanelText(int k, const std::string& text) = 0;
    virtual void setPanelCaption(int k, const std::string& caption) = 0;
    virtual void setPanelStyle(int k, PanelStyle style) = 0;
    virtual void setPanelBevel(int k, PanelBevel bevel) = 0;
};

}  // namespace trellon
