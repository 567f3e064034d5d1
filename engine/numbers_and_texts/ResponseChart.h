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

// The five curve panels under the chart, one per curve k = 0..4, told what became of their
// curves; how a panel shows that is the window's business.
class CurvePanels {
public:
    virtual ~CurvePanels() = default;
    // A new cycle of curves has begun: panel k no longer describes a curve.
    virtual void panelCleared(int k) = 0;
    // Curve k was drawn by the calculation named in `caption`; `overlaid` when it joined the
    // overlay cycle rather than replacing the single curve.
    virtual void curveDrawn(int k, const std::string& caption, bool overlaid) = 0;
    // The calculation meant for curve k drew nothing, for the reason in `text`.
    virtual void curveRejected(int k, const std::string& text) = 0;
};

}  // namespace trellon
