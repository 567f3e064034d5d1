#include "TuningChart.h"

#include <qcustomplot.h>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "Engine.h"
#include "TuningCurve.h"
#include "texts/TuningTexts.h"

namespace trellon {

namespace {

constexpr double kDepthShownDb = 80;
constexpr double kHeadroomDb = 5;

// Levels relative to the matched transfer; a silent point is a gap.
QVector<double> shownLevels(const std::vector<double>& levelsDb) {
    QVector<double> shown;
    shown.reserve(qsizetype(levelsDb.size()));
    for (double level : levelsDb) {
        shown << (std::isfinite(level) ? level + kMatchedLoadLossDb : qQNaN());
    }
    return shown;
}

}  // namespace

TuningChart::TuningChart(QWidget* parent) : QWidget(parent) {
    plot_ = new QCustomPlot(this);
    plot_->setObjectName(QStringLiteral("TuningChart"));
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    plot_->setLocale(locale);
    plot_->xAxis->setLabel(QString::fromUtf8(texts::kTuningFrequencyAxis));
    plot_->yAxis->setLabel(QString::fromUtf8(texts::kTuningLevelAxis));
    plot_->legend->setVisible(true);
    plot_->axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignBottom | Qt::AlignRight);
    QCPGraph* ideal = plot_->addGraph();
    ideal->setPen(QPen(QColor(0, 0, 160), 1));
    ideal->setName(QString::fromUtf8(texts::kIdealCurve));
    QCPGraph* tuned = plot_->addGraph();
    tuned->setPen(QPen(QColor(200, 30, 30), 2));
    tuned->setName(QString::fromUtf8(texts::kTunedCurve));
    // Every point of a moving curve is drawn; nothing is worth the cost of smoothing it.
    plot_->setNotAntialiasedElements(QCP::aeAll);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(plot_);
}

void TuningChart::showIdeal(const TuningCurve& curve, double foHz) {
    detuningKhz_.clear();
    for (double f : curve.frequenciesHz()) {
        detuningKhz_ << (f - foHz) / 1000;
    }
    const QVector<double> levels = shownLevels(curve.idealLevelsDb());
    plot_->graph(0)->setData(detuningKhz_, levels, true);
    plot_->graph(1)->data()->clear();
    double peak = -1e300;
    for (double level : levels) {
        if (std::isfinite(level)) {
            peak = std::max(peak, level);
        }
    }
    plot_->xAxis->setRange(detuningKhz_.front(), detuningKhz_.back());
    plot_->yAxis->setRange(peak - kDepthShownDb, peak + kHeadroomDb);
    plot_->replot();
}

void TuningChart::showTuned(const TuningCurve& curve, bool now) {
    plot_->graph(1)->setData(detuningKhz_, shownLevels(curve.levelsDb()), true);
    plot_->replot(now ? QCustomPlot::rpImmediateRefresh : QCustomPlot::rpQueuedReplot);
}

void TuningChart::clear() {
    plot_->graph(0)->data()->clear();
    plot_->graph(1)->data()->clear();
    plot_->replot();
}

}  // namespace trellon
