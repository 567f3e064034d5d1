#include "SweepFitChart.h"

#include <qcustomplot.h>
#include <QVBoxLayout>

#include "texts/CrystalWindowTexts.h"

namespace trellon {

namespace {

QVector<double> kilohertz(const std::vector<double>& hz) {
    QVector<double> khz;
    khz.reserve(qsizetype(hz.size()));
    for (double f : hz) {
        khz << f / 1000;
    }
    return khz;
}

}  // namespace

SweepFitChart::SweepFitChart(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("SweepFitChart"));
    plot_ = new QCustomPlot(this);
    plot_->setObjectName(QStringLiteral("SweepFitPlot"));
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    plot_->setLocale(locale);
    plot_->xAxis->setLabel(QString::fromUtf8(texts::kSweepFitAxis));
    plot_->yAxis->setLabel(QString::fromUtf8(texts::kSweepFitLevelAxis));
    // Whole kilohertz of a 10 MHz crystal would hide the hertz the fit is about.
    plot_->xAxis->setNumberFormat(QStringLiteral("f"));
    plot_->xAxis->setNumberPrecision(3);
    plot_->legend->setVisible(true);
    plot_->addGraph()->setPen(QPen(QColor(0, 0, 160), 1));
    plot_->addGraph()->setPen(QPen(QColor(220, 0, 0), 2, Qt::DashLine));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(plot_);
    resize(720, 420);
}

void SweepFitChart::showFit(const QString& name, const std::vector<double>& frequencyHz,
                            const std::vector<double>& measuredDb,
                            const std::vector<double>& fittedDb) {
    setWindowTitle(QString::fromUtf8(texts::kSweepFitTitle) + name);
    const QVector<double> x = kilohertz(frequencyHz);
    plot_->graph(0)->setName(name + QString::fromUtf8(texts::kMeasuredSuffix));
    plot_->graph(0)->setData(x, QVector<double>(measuredDb.begin(), measuredDb.end()), true);
    plot_->graph(1)->setName(name + QString::fromUtf8(texts::kFittedSuffix));
    plot_->graph(1)->setData(x, QVector<double>(fittedDb.begin(), fittedDb.end()), true);
    plot_->rescaleAxes();
    plot_->replot();
}

}  // namespace trellon
