#pragma once

#include <string>

#include "DesignView.h"
#include "ResponseChart.h"
#include "TextView.h"

namespace trellon {

// The chart and curve panels of a calculation that nobody watches: batch runs, benchmarks.
class NullChart : public ResponseChart, public CurvePanels {
public:
    void clearCurve(int) override {}
    void addPoints(int, std::span<const double>, std::span<const double>) override {}
    void setAxisAutomatic() override {}
    void setAxisFixed(double, double) override {}
    void panelCleared(int) override {}
    void curveDrawn(int, const std::string&, bool) override {}
    void curveRejected(int, const std::string&) override {}
};

// Every view of a calculation, showing nothing.
class NullViews : public NullChart, public DesignView, public TextView {
public:
    void showWarning(const std::string&) override {}
    void showResultsPanel() override {}
    void setResultField(ResultField, const std::string&) override {}
    void show() override {}
    void appendLine(const std::string&) override {}
};

}  // namespace trellon
