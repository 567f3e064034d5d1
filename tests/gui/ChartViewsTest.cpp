// The chart's quantities, its extra curves, the read-out under the pointer and the zoom back.
#include <QRegularExpression>
#include <QTest>
#include <algorithm>
#include <cmath>

#include "ChartReadout.h"
#include "WindowDriver.h"

using namespace trellon;
using namespace trellon::test;

namespace {

CurveSeries seriesOf(const QCPGraph* graph) {
    CurveSeries series;
    for (auto it = graph->data()->constBegin(); it != graph->data()->constEnd(); ++it) {
        series.x.push_back(it->key);
        series.y.push_back(it->value);
    }
    return series;
}

// A point the pointer can rest on: the middle of the plot, at the height of the axis centre.
QPoint plotPixel(ChartView* chart, double x) {
    return QPoint(int(std::lround(chart->xAxis->coordToPixel(x))),
                  int(std::lround(chart->yAxis->coordToPixel(chart->yAxis->range().center()))));
}

}  // namespace

class ChartViewsTest : public QObject {
    Q_OBJECT

private slots:
    void quantityIsAChoiceOfItsOwnKeptAcrossCalculations();
    void eachCurveShowsEveryQuantityInItsOwnLevelMode();
    void extraCurvesStandOutsideTheCycleInTheLegend();
    void readoutInterpolatesEachCurveUnderThePointer();
    void zoomBackByMenuAndKey();
};

void ChartViewsTest::quantityIsAChoiceOfItsOwnKeptAcrossCalculations() {
    WindowDriver w;
    w.calculate();
    ChartView* chart = w.chart();
    const CurveSeries amplitude = seriesOf(chart->graph(0));
    QVERIFY(amplitude.x.size() > 100);

    w.choose("Log1");
    w.choose("ViewWideSpan");
    QVERIFY(w.action("ViewWideSpan")->isChecked() && !w.action("ViewAmplitude")->isChecked());
    // Choosing a quantity shows the chart; the chart stays the one view "АЧХ".
    QVERIFY(w.action("FR")->isChecked() && chart->isVisible());
    QCOMPARE(chart->yAxis->range(), QCPRange(-120, 0));
    QCOMPARE(chart->yAxis->label(), QStringLiteral("Затухание (dB)"));

    w.choose("ViewGroupDelay");
    QCOMPARE(chart->yAxis->label(), QStringLiteral("Групповое время (µs)"));
    w.choose("ViewReturnLoss");
    QCOMPARE(chart->yAxis->label(), QStringLiteral("Возвратные потери (dB)"));

    // A calculation shows the chart as before and keeps the chosen quantity.
    w.choose("Log1");
    w.calculate();
    QVERIFY(w.action("FR")->isChecked() && w.action("ViewReturnLoss")->isChecked());
    QCOMPARE(chart->quantity(), ChartQuantity::ReturnLoss);
    QCOMPARE(w.state().CalcCount, 2);

    // Back to the amplitude, both curves are the ones the sweep drew, point for point.
    w.choose("ViewAmplitude");
    QCOMPARE(chart->yAxis->label(), QStringLiteral("Затухание (dB)"));
    const CurveSeries again = seriesOf(chart->graph(0));
    QCOMPARE(again.x, amplitude.x);
    QCOMPARE(again.y, amplitude.y);
    QVERIFY(chart->curvePointCount(1) > 100);
}

void ChartViewsTest::eachCurveShowsEveryQuantityInItsOwnLevelMode() {
    WindowDriver w;
    w.calculate();
    w.choose("Abs_Level");
    w.setText("Edit2", "2400");
    w.calculate();
    ChartView* chart = w.chart();
    const CurveSeries amplitude[] = {seriesOf(chart->graph(0)), seriesOf(chart->graph(1))};

    // Over the wide span each curve passes through its own traced points, relative or absolute:
    // the span's points inside the band against the traced curve interpolated at 1 Hz steps.
    w.choose("ViewWideSpan");
    for (int k = 0; k < 2; ++k) {
        const CurveSeries span = seriesOf(chart->graph(k));
        QCOMPARE(span.x.size(), std::size_t(2001));
        int inside = 0;
        for (std::size_t i = 0; i < span.x.size(); ++i) {
            const double traced = interpolatedValue(amplitude[k], span.x[i]);
            if (std::isfinite(traced)) {
                ++inside;
                QVERIFY2(std::abs(span.y[i] - traced) < 0.01,
                         qPrintable(QString::number(span.x[i])));
            }
        }
        QVERIFY(inside > 50);
        // Far from the band the stopband lies tens of dB down.
        QVERIFY(span.y.front() < -40 && span.y.back() < -40);
    }
    // The wheel takes the level axis below -120 dB, its top staying at 0 dB; a right click
    // brings back the usual range.
    const auto wheel = [chart](int notches) {
        const QPointF at = chart->rect().center();
        QWheelEvent event(at, chart->mapToGlobal(at), {}, {0, 120 * notches}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(chart, &event);
    };
    wheel(-3);
    QCOMPARE(chart->yAxis->range(), QCPRange(-180, 0));
    wheel(-100);
    QCOMPARE(chart->yAxis->range(), QCPRange(-400, 0));
    QTest::mouseClick(chart, Qt::RightButton);
    QCOMPARE(chart->yAxis->range(), QCPRange(-120, 0));

    // Group delay and return loss at the traced points: finite, the delay peaking towards the
    // band edges above its value at the centre.
    w.choose("ViewGroupDelay");
    for (int k = 0; k < 2; ++k) {
        const CurveSeries delay = seriesOf(chart->graph(k));
        QCOMPARE(delay.x, amplitude[k].x);
        const double centre = delay.y[delay.y.size() / 2];
        QVERIFY(centre > 0 && std::isfinite(centre));
        QVERIFY(*std::max_element(delay.y.begin(), delay.y.end()) > 1.2 * centre);
    }
    w.choose("ViewReturnLoss");
    const CurveSeries loss = seriesOf(chart->graph(0));
    QCOMPARE(loss.x, amplitude[0].x);
    QVERIFY(std::all_of(loss.y.begin(), loss.y.end(), [](double y) { return y > 0; }));

    // A span of 5 kHz each side, once chosen, is the one the wide span shows.
    w.dialogs().wideSpans = {5};
    w.choose("WideSpanWidth");
    w.choose("ViewWideSpan");
    const CurveSeries narrower = seriesOf(chart->graph(0));
    QCOMPARE(narrower.x.size(), std::size_t(2001));
    QVERIFY(std::abs(narrower.x.back() - narrower.x.front() - 10) < 1e-9);

    // The dialog offers no span reaching down to 0 Hz around the band centre near 8.87 MHz;
    // a span whose points lie closer than 1 mHz is refused and the last one stays.
    QVERIFY(w.dialogs().largestWideSpan > 8800 && w.dialogs().largestWideSpan < 8900);
    w.dialogs().forget();
    w.dialogs().wideSpans = {1e-4};
    w.choose("WideSpanWidth");
    QCOMPARE(w.dialogs().texts(FakeDialogs::Shown::Kind::Warning).size(), 1);
    QCOMPARE(seriesOf(chart->graph(0)).x, narrower.x);
}

void ChartViewsTest::extraCurvesStandOutsideTheCycleInTheLegend() {
    WindowDriver w;
    w.calculate();
    ChartView* chart = w.chart();
    QVERIFY(!chart->legend->visible());
    chart->addExtraCurve(QStringLiteral("измерение"), QPen(Qt::darkCyan, 2, Qt::DashLine),
                         {{-1, 0, 1}, {-20, -3, -20}}, nullptr);
    QVERIFY(chart->legend->visible());
    QCOMPARE(chart->legend->itemCount(), 1);
    QCOMPARE(chart->legend->itemWithPlottable(chart->graph(kCurveCount))->plottable()->name(),
             QStringLiteral("измерение"));

    // The legend names what is drawn: a curve without a group delay is not listed there.
    chart->addExtraCurve(
        QStringLiteral("с задержкой"), QPen(Qt::red), {{-1, 0, 1}, {-20, -3, -20}},
        [](ChartQuantity q) {
            return q == ChartQuantity::GroupDelay ? CurveSeries{{-1, 1}, {2, 3}} : CurveSeries{};
        });
    QCOMPARE(chart->legend->itemCount(), 2);
    w.choose("ViewGroupDelay");
    QCOMPARE(chart->legend->itemCount(), 1);
    QCOMPARE(static_cast<QCPPlottableLegendItem*>(chart->legend->item(0))->plottable()->name(),
             QStringLiteral("с задержкой"));
    w.choose("ViewReturnLoss");
    QVERIFY(!chart->legend->visible());
    w.choose("ViewAmplitude");
    QCOMPARE(chart->legend->itemCount(), 2);
    chart->removeExtraCurves({QStringLiteral("с задержкой")});

    // Five more calculations wrap the cycle; the extra curve stays through it.
    for (int i = 0; i < 5; ++i) {
        w.calculate();
    }
    QCOMPARE(chart->extraCurveCount(), 1);
    QCOMPARE(chart->drawnCurves().size(), std::size_t(2));

    w.choose("ClearGrafic");
    QCOMPARE(chart->extraCurveCount(), 0);
    QVERIFY(!chart->legend->visible());
    QVERIFY(chart->drawnCurves().empty());
}

void ChartViewsTest::readoutInterpolatesEachCurveUnderThePointer() {
    WindowDriver w;
    w.calculateForBands({"2400", "3100"});
    ChartView* chart = w.chart();
    chart->replot();
    QVERIFY(chart->readoutText().isEmpty());

    // Halfway between two traced points of the narrower curve, its value is their mean.
    const CurveSeries narrow = seriesOf(chart->graph(0));
    const std::size_t i = narrow.x.size() / 3;
    const QPoint pixel = plotPixel(chart, (narrow.x[i] + narrow.x[i + 1]) / 2);
    QTest::mouseMove(chart, pixel);
    const double x = chart->xAxis->pixelToCoord(pixel.x());
    const double expected = narrow.y[i] + (narrow.y[i + 1] - narrow.y[i]) * (x - narrow.x[i]) /
                                              (narrow.x[i + 1] - narrow.x[i]);
    const QStringList lines = chart->readoutText().split('\n');
    QCOMPARE(lines.size(), 3);
    // The detuning and the absolute frequency to the hertz, the value to a thousandth of a dB.
    const QRegularExpressionMatch first =
        QRegularExpression("^Δf = (\\S+) kHz   f = (\\S+) kHz$").match(lines[0]);
    QVERIFY2(first.hasMatch(), qPrintable(lines[0]));
    QVERIFY(std::abs(first.captured(1).toDouble() - x) <= 0.0005);
    QVERIFY(std::abs(first.captured(2).toDouble() - (8863.682 + x)) <= 0.0005 + 1e-9);
    QVERIFY2(lines[1].startsWith("FR1: ") && lines[1].endsWith(" dB"), qPrintable(lines[1]));
    QVERIFY(std::abs(lines[1].mid(5).chopped(3).toDouble() - expected) <= 0.0005 + 1e-9);
    QVERIFY(lines[2].startsWith("FR2: "));

    // Off the plot the read-out goes.
    QTest::mouseMove(chart, QPoint(2, 2));
    QVERIFY(chart->readoutText().isEmpty());
}

void ChartViewsTest::zoomBackByMenuAndKey() {
    WindowDriver w;
    w.calculate();
    ChartView* chart = w.chart();
    const QCPRange fullX = chart->xAxis->range();
    const QCPRange fullY = chart->yAxis->range();
    const QCPRange someX(fullX.center(), fullX.upper);
    const QCPRange someY(fullY.center(), fullY.upper);

    chart->zoomTo(someX, someY);
    QTRY_COMPARE(chart->xAxis->range(), someX);
    w.choose("ZoomBack");
    QCOMPARE(chart->xAxis->range(), fullX);
    QCOMPARE(chart->yAxis->range(), fullY);

    chart->zoomTo(someX, someY);
    QTRY_COMPARE(chart->xAxis->range(), someX);
    QTest::keyClick(&w.window(), Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(chart->xAxis->range(), fullX);
    QVERIFY(w.action("ZoomBack")->statusTip().contains("Ctrl+0"));
}

QTEST_MAIN(ChartViewsTest)
#include "ChartViewsTest.moc"
