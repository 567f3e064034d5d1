#pragma once
// What the tests of the crystal windows share: clicks, files, the chart's curves and a batch
// of the design's nominal crystal.
#include <QByteArray>
#include <QFile>
#include <QPushButton>
#include <QString>
#include <QTest>
#include <cmath>
#include <string>
#include <vector>

#include "ChartReadout.h"
#include "ChartView.h"
#include "DesignState.h"
#include "MeasuredCrystalModel.h"
#include "NumberText.h"

namespace trellon::test {

inline void click(QWidget* window, const char* button) {
    auto* b = window->findChild<QPushButton*>(QString::fromUtf8(button));
    QVERIFY2(b != nullptr && b->isEnabled(), button);
    b->click();
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

inline QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline CurveSeries seriesOf(const QCPGraph* graph) {
    CurveSeries s;
    for (auto it = graph->data()->constBegin(); it != graph->data()->constEnd(); ++it) {
        s.x.push_back(it->key);
        s.y.push_back(it->value);
    }
    return s;
}

// The extra curve of this caption, or nothing.
inline const QCPGraph* extraCurve(ChartView* chart, const QString& caption) {
    for (int i = kCurveCount; i < chart->graphCount(); ++i) {
        if (chart->graph(i)->name() == caption) {
            return chart->graph(i);
        }
    }
    return nullptr;
}

// The largest difference of `curve` from the first of the five (traced at 1 Hz steps) at the
// points of `curve` that lie within it.
inline double worstDeviation(ChartView* chart, const QCPGraph* curve) {
    const CurveSeries ideal = seriesOf(chart->graph(0));
    const CurveSeries other = seriesOf(curve);
    double worst = 0;
    for (std::size_t i = 0; i < other.x.size(); ++i) {
        if (other.x[i] >= ideal.x.front() && other.x[i] <= ideal.x.back()) {
            worst = std::max(worst, std::abs(interpolatedValue(ideal, other.x[i]) - other.y[i]));
        }
    }
    return worst;
}

// The design's nominal crystal `count` times, the i-th moved by offsetsHz[i] (0 beyond them),
// in the program's CSV columns.
inline QByteArray batchCsv(const DesignState& state, int count,
                           const std::vector<double>& offsetsHz) {
    QByteArray csv = "name,fs_khz,lm_mh,rm_ohm,c0_pf\n";
    for (int i = 0; i < count; ++i) {
        MeasuredCrystal c = nominalMeasuredCrystal(state, "X" + std::to_string(i + 1));
        if (std::size_t(i) < offsetsHz.size()) {
            c.fsKhz += offsetsHz[std::size_t(i)] / 1000;
        }
        csv += QByteArray::fromStdString(c.name + "," + FormatExact(c.fsKhz) + "," +
                                         FormatExact(c.lmMh) + "," + FormatExact(c.rmOhm) + "," +
                                         FormatExact(c.c0Pf) + "\n");
    }
    return csv;
}

}  // namespace trellon::test
