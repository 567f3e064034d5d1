#pragma once

#include <QWidget>
#include <vector>

class QCustomPlot;

namespace trellon {

class TuningCurve;

// The tuning window's chart: the ideal curve and the tuned built curve, detuning from Fo in kHz
// across, the level relative to the matched transfer up. The axes stay where the ideal curve
// set them, so that a moving curve is seen to move.
class TuningChart : public QWidget {
    Q_OBJECT

public:
    explicit TuningChart(QWidget* parent = nullptr);

    // A new design: its ideal curve, and the axes around it.
    void showIdeal(const TuningCurve& curve, double foHz);
    // The tuned curve as `curve` last solved it; drawn at the next turn of the event loop, or
    // at once with `now`.
    void showTuned(const TuningCurve& curve, bool now = false);
    void clear();

    QCustomPlot* plot() const { return plot_; }

private:
    QCustomPlot* plot_ = nullptr;
    QVector<double> detuningKhz_;
};

}  // namespace trellon
