#pragma once

#include <array>
#include <string>
#include <vector>

#include "ResponseChart.h"
#include "TextView.h"

namespace trellon {

// Records what a calculation drew: the points of each curve, how many batches they came in,
// the axis mode and every panel's state.
class RecordingChart : public ResponseChart, public CurvePanels {
public:
    struct Curve {
        std::vector<double> x;
        std::vector<double> y;
        int batches = 0;
        int clears = 0;
    };
    // What the panel was last told: cleared for a new cycle, its curve drawn (alone or in the
    // overlay cycle) or rejected with a reason.
    enum class Told { Nothing, Cleared, Drawn, Overlaid, Rejected };
    struct Panel {
        Told told = Told::Nothing;
        std::string caption;
        std::string rejection;
    };
    enum class Axis { Untouched, Automatic, Fixed };

    void clearCurve(int k) override {
        curves[k].x.clear();
        curves[k].y.clear();
        ++curves[k].clears;
    }
    void addPoints(int k, std::span<const double> x, std::span<const double> y) override {
        curves[k].x.insert(curves[k].x.end(), x.begin(), x.end());
        curves[k].y.insert(curves[k].y.end(), y.begin(), y.end());
        ++curves[k].batches;
    }
    void setAxisAutomatic() override { axis = Axis::Automatic; }
    void setAxisFixed(double minimum, double maximum) override {
        axis = Axis::Fixed;
        axisMinimum = minimum;
        axisMaximum = maximum;
    }
    void panelCleared(int k) override { panels[k] = {Told::Cleared, {}, {}}; }
    void curveDrawn(int k, const std::string& caption, bool overlaid) override {
        panels[k].told = overlaid ? Told::Overlaid : Told::Drawn;
        panels[k].caption = caption;
    }
    void curveRejected(int k, const std::string& text) override {
        panels[k].told = Told::Rejected;
        panels[k].rejection = text;
    }

    std::array<Curve, kCurveCount> curves;
    std::array<Panel, kCurveCount> panels;
    Axis axis = Axis::Untouched;
    double axisMinimum = 0;
    double axisMaximum = 0;
};

class RecordingTextView : public TextView {
public:
    void show() override { shown = true; }
    void appendLine(const std::string& line) override { lines.push_back(line); }
    bool shown = false;
    std::vector<std::string> lines;
};

}  // namespace trellon
