#pragma once

#include <QWidget>
#include <vector>

class QCustomPlot;

namespace trellon {

// A crystal's measured sweep beside the response of its fitted model, over the sweep's own
// frequencies in kHz: a crystal is measured on its own, far from the filter's Fo.
class SweepFitChart : public QWidget {
    Q_OBJECT

public:
    explicit SweepFitChart(QWidget* parent = nullptr);

    // Replaces the pair shown before with the sweep of the crystal `name`.
    void showFit(const QString& name, const std::vector<double>& frequencyHz,
                 const std::vector<double>& measuredDb, const std::vector<double>& fittedDb);
    QCustomPlot* plot() const { return plot_; }

private:
    QCustomPlot* plot_ = nullptr;
};

}  // namespace trellon
