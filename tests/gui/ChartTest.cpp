// The response chart: the overlay cycle and its panels, clearing, sizes, level modes, view
// switching, zoom and axis labels.
#include <QApplication>
#include <QDialog>
#include <QRegularExpression>
#include <QTest>
#include <QToolTip>

#include "CurveColours.h"
#include "WindowDriver.h"

using namespace trellon;
using namespace trellon::test;

namespace {

const QStringList kPassBands{"2400", "2700", "3100", "3400", "3700"};

// Calculates with the i-th pass band of kPassBands, so every curve has its own caption.
void calculateWithBand(WindowDriver& w, int i) {
    w.setText("Edit2", kPassBands[i % kPassBands.size()]);
    w.calculate();
}

// How many pixels of each curve's panel colour panel k shows on screen.
QList<int> colouredPixels(CurveStatusBar* bar, int k) {
    const QImage image = bar->grab(bar->panelRect(k)).toImage();
    QList<int> counts(kCurveCount, 0);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            for (int colour = 0; colour < kCurveCount; ++colour) {
                if (image.pixelColor(x, y) == curvePanelColour(colour)) {
                    ++counts[colour];
                }
            }
        }
    }
    return counts;
}

QList<int> pointCounts(const WindowDriver& w) {
    QList<int> counts;
    for (int k = 0; k < kCurveCount; ++k) {
        counts << w.chart()->curvePointCount(k);
    }
    return counts;
}

}  // namespace

class ChartTest : public QObject {
    Q_OBJECT

private slots:
    void overlayCycleFillsFiveCurvesThenStartsAgain();
    void eachPanelPaintsTheCaptionOfItsOwnCurve();
    void withoutOverlaysEveryCommandReplacesTheRedCurve();
    void switchingOverlaysOnStartsANewCycle();
    void clearingEmptiesCurvesPanelsAndResults();
    void aCutCaptionShowsWholeAsTheTooltip();
    void largeAndNormalSizes();
    void levelModes();
    void absoluteLevelAbovePeakMarksThePanel();
    void viewSwitching();
    void returningFromAnotherWindowShowsTheLog();
    void zoomAndUndo();
    void axisTitlesAndLabels();
};

void ChartTest::overlayCycleFillsFiveCurvesThenStartsAgain() {
    WindowDriver w;
    CurveStatusBar* panels = w.curvePanels();
    const QList<QColor> colours{QColor(255, 0, 0), QColor(0, 128, 0), QColor(0, 0, 255),
                                QColor(255, 0, 255), QColor(64, 0, 0)};
    for (int i = 0; i < 5; ++i) {
        calculateWithBand(w, i);
        for (int k = 0; k < kCurveCount; ++k) {
            QCOMPARE(w.chart()->curvePointCount(k) > 0, k <= i);
            QCOMPARE(panels->panelBevel(k), k <= i ? PanelBevel::Raised : PanelBevel::Lowered);
            QCOMPARE(panels->panelStyle(k), PanelStyle::OwnerDrawn);
        }
        QCOMPARE(panels->panelCaption(i),
                 QStringLiteral("FR%1:B03-%2; ").arg(i + 1).arg(kPassBands[i]));
        QCOMPARE(w.chart()->graph(i)->pen().color(), colours[i]);
    }
    QVERIFY(w.dialogs().shown.empty());

    calculateWithBand(w, 0);
    QCOMPARE(pointCounts(w), QList<int>({pointCounts(w)[0], 0, 0, 0, 0}));
    QVERIFY(pointCounts(w)[0] > 0);
    QCOMPARE(panels->panelBevel(0), PanelBevel::Raised);
    QCOMPARE(panels->panelStyle(0), PanelStyle::OwnerDrawn);
    QCOMPARE(panels->panelCaption(0), QStringLiteral("FR1:B03-2400; "));
    for (int k = 1; k < kCurveCount; ++k) {
        QCOMPARE(panels->panelBevel(k), PanelBevel::Lowered);
        QCOMPARE(panels->panelStyle(k), PanelStyle::PlainText);
        QVERIFY(panels->panelText(k).isEmpty());
        QVERIFY(panels->panelCaption(k).isEmpty());
    }
    QCOMPARE(w.state().CalcCount, 1);
}

void ChartTest::eachPanelPaintsTheCaptionOfItsOwnCurve() {
    WindowDriver w;
    CurveStatusBar* panels = w.curvePanels();
    for (int k = 0; k < kCurveCount; ++k) {
        QCOMPARE(colouredPixels(panels, k), QList<int>({0, 0, 0, 0, 0}));
    }
    calculateWithBand(w, 0);
    calculateWithBand(w, 1);
    // Repainted after both commands: panel 0 still names FR1 in red, panel 1 FR2 in green,
    // the panels without a curve stay blank.
    QCOMPARE(panels->panelCaption(0), QStringLiteral("FR1:B03-2400; "));
    QCOMPARE(panels->panelCaption(1), QStringLiteral("FR2:B03-2700; "));
    const QList<int> first = colouredPixels(panels, 0);
    const QList<int> second = colouredPixels(panels, 1);
    QVERIFY(first[0] > 20);
    QCOMPARE(first[0], first[0] + first[1] + first[2] + first[3] + first[4]);
    QVERIFY(second[1] > 20);
    QCOMPARE(second[1], second[0] + second[1] + second[2] + second[3] + second[4]);
    for (int k = 2; k < kCurveCount; ++k) {
        QCOMPARE(colouredPixels(panels, k), QList<int>({0, 0, 0, 0, 0}));
    }
}

void ChartTest::withoutOverlaysEveryCommandReplacesTheRedCurve() {
    WindowDriver w;
    w.choose("BonusACH");
    QVERIFY(!w.action("BonusACH")->isChecked());
    CurveStatusBar* panels = w.curvePanels();
    for (int i = 0; i < 5; ++i) {
        calculateWithBand(w, i);
        QVERIFY(pointCounts(w)[0] > 0);
        QCOMPARE(pointCounts(w).mid(1), QList<int>({0, 0, 0, 0}));
        QCOMPARE(panels->panelCaption(0), QStringLiteral("FR1:B03-%1; ").arg(kPassBands[i]));
        QCOMPARE(panels->panelBevel(0), PanelBevel::Lowered);
    }
    QCOMPARE(w.state().CalcCount, 5);
    calculateWithBand(w, 0);
    QCOMPARE(w.state().CalcCount, 1);
    for (int k = 0; k < kCurveCount; ++k) {
        QCOMPARE(panels->panelStyle(k), PanelStyle::PlainText);
        QVERIFY(panels->panelText(k).isEmpty());
        QCOMPARE(colouredPixels(panels, k), QList<int>({0, 0, 0, 0, 0}));
    }
}

void ChartTest::switchingOverlaysOnStartsANewCycle() {
    WindowDriver w;
    calculateWithBand(w, 0);
    calculateWithBand(w, 1);
    w.choose("BonusACH");
    QCOMPARE(w.state().CalcCount, 2);  // switching off changes nothing else
    w.choose("BonusACH");
    QCOMPARE(w.state().CalcCount, 0);
    calculateWithBand(w, 2);
    QVERIFY(pointCounts(w)[0] > 0);
    QCOMPARE(pointCounts(w).mid(1), QList<int>({0, 0, 0, 0}));
    QCOMPARE(w.curvePanels()->panelCaption(0), QStringLiteral("FR1:B03-3100; "));
    QVERIFY(w.curvePanels()->panelCaption(1).isEmpty());
}

void ChartTest::clearingEmptiesCurvesPanelsAndResults() {
    WindowDriver w;
    calculateWithBand(w, 0);
    calculateWithBand(w, 1);
    const QString rin = w.resultField(ResultField::EditRin)->text();
    const QStringList log = w.log();
    w.choose("ClearGrafic");
    QCOMPARE(pointCounts(w), QList<int>({0, 0, 0, 0, 0}));
    for (int k = 0; k < kCurveCount; ++k) {
        QCOMPARE(w.curvePanels()->panelStyle(k), PanelStyle::PlainText);
        QCOMPARE(w.curvePanels()->panelBevel(k), PanelBevel::Lowered);
        QVERIFY(w.curvePanels()->panelText(k).isEmpty());
    }
    QCOMPARE(w.state().CalcCount, 0);
    QVERIFY(w.results().join("").isEmpty());
    QCOMPARE(w.resultField(ResultField::EditRin)->text(), rin);
    QCOMPARE(w.log(), log);
}

void ChartTest::aCutCaptionShowsWholeAsTheTooltip() {
    WindowDriver w;
    w.selectTopology(4);
    w.selectResponse(1);
    w.calculate();
    CurveStatusBar* panels = w.curvePanels();
    const QString caption = panels->panelCaption(0);
    QCOMPARE(caption, QStringLiteral("FR1:T04C-10-3100; Ccor=82 pF"));
    const QRect panel = panels->panelRect(0);
    QVERIFY(panels->fontMetrics().horizontalAdvance(caption) > panel.width());
    QHelpEvent help(QEvent::ToolTip, panel.center(), panels->mapToGlobal(panel.center()));
    QApplication::sendEvent(panels, &help);
    QTRY_COMPARE(QToolTip::text(), caption);
    QToolTip::hideText();
}

void ChartTest::largeAndNormalSizes() {
    WindowDriver w;
    w.selectTopology(2);
    w.calculate();
    w.choose("FR");
    w.chart()->replot();
    const QMargins margins = w.chart()->axisRect()->margins();
    QVERIFY(margins.top() >= 15);  // room for the top tick label
    const QStringList fields = w.visibleResultFields();
    const QString rout = w.resultField(ResultField::EditRout6)->text();

    w.choose("PlusZoom");
    QVERIFY(w.visibleResultFields().isEmpty());
    QCOMPARE(w.chart()->geometry(), QRect(0, 0, 905, 588));
    QVERIFY(!w.action("PlusZoom")->isEnabled());
    QVERIFY(w.action("NormalZoom")->isEnabled());
    // The inputs stay usable over the enlarged chart.
    QWidget* client = w.window().centralWidget();
    QLineEdit* fo = w.edit("Edit1");
    QCOMPARE(client->childAt(fo->mapTo(client, fo->rect().center())), fo);
    w.selectTopology(3);
    QVERIFY(w.visibleResultFields().isEmpty());
    w.selectTopology(2);
    w.calculate();

    w.choose("NormalZoom");
    QCOMPARE(w.chart()->geometry(), QRect(1, 154, 640, 358));
    w.chart()->replot();
    QCOMPARE(w.chart()->axisRect()->margins().top(), margins.top());
    QCOMPARE(w.visibleResultFields(), fields);
    QCOMPARE(w.resultField(ResultField::EditRout6)->text(), rout);
    QVERIFY(w.action("PlusZoom")->isEnabled());
    QVERIFY(!w.action("NormalZoom")->isEnabled());
}

void ChartTest::levelModes() {
    WindowDriver w;
    w.calculate();
    const QList<int> drawn = pointCounts(w);
    w.choose("Abs_Level");
    QCOMPARE(w.clockPanels()->panelText(1), QStringLiteral("Frequency Response Level - Absolute."));
    QVERIFY(w.action("Abs_Level")->isChecked());
    QVERIFY(!w.action("Otn_Level")->isChecked());
    QVERIFY(w.state().AbsoluteLevel);
    QCOMPARE(pointCounts(w), drawn);

    w.setText("Edit5", QStringLiteral("-30"));
    w.calculate();
    QCOMPARE(w.chart()->yAxis->range(), QCPRange(-30, 0));
    // Absolute attenuation: the curve's top is the loss at the peak below 0 dB.
    double highest = -1e9;
    for (const QCPGraphData& point : *w.chart()->graph(1)->data()) {
        highest = std::max(highest, point.value);
    }
    // The 1 Hz trace may find the peak a little above the 10 Hz scan's.
    QVERIFY(highest < 0);
    QVERIFY(std::abs(highest + w.state().Amin) < 0.01);

    w.choose("Otn_Level");
    QCOMPARE(w.clockPanels()->panelText(1),
             QStringLiteral("Frequency Response Level - Relative to Amin."));
    QVERIFY(w.action("Otn_Level")->isChecked());
    QVERIFY(!w.action("Abs_Level")->isChecked());
    QVERIFY(!w.state().AbsoluteLevel);
}

void ChartTest::absoluteLevelAbovePeakMarksThePanel() {
    WindowDriver w;
    w.choose("Abs_Level");
    w.setText("Edit5", QStringLiteral("-0.1"));
    w.calculate();
    const QStringList warnings = w.dialogs().texts(FakeDialogs::Shown::Kind::Warning);
    QCOMPARE(warnings.size(), 1);
    QVERIFY(warnings[0].startsWith(QStringLiteral("При заданном уровне АЧХ полоса пропускания")));
    CurveStatusBar* panels = w.curvePanels();
    QCOMPARE(panels->panelStyle(0), PanelStyle::PlainText);
    QVERIFY(
        QRegularExpression("^ Error: -[0-9.]+ < -0\\.1$").match(panels->panelText(0)).hasMatch());
    QCOMPARE(pointCounts(w), QList<int>({0, 0, 0, 0, 0}));
    QCOMPARE(w.log().size(), 3);
    QVERIFY(w.chart()->isVisible());
}

void ChartTest::viewSwitching() {
    WindowDriver w;
    w.choose("FR");
    QVERIFY(w.chart()->isVisible());
    QVERIFY(w.action("FR")->isChecked() && !w.action("Log1")->isChecked());
    w.choose("Log1");
    QVERIFY(!w.chart()->isVisible());
    QVERIFY(!w.action("FR")->isChecked() && w.action("Log1")->isChecked());
    w.choose("FR");
    w.choose("ViewProt");
    QVERIFY(!w.chart()->isVisible());
    QVERIFY(w.action("Log1")->isChecked());
}

void ChartTest::returningFromAnotherWindowShowsTheLog() {
    WindowDriver w;
    w.window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.window()));
    w.choose("FR");

    // A message box or dialog belongs to the command that opened it: the chart stays.
    QDialog box(&w.window());
    box.setModal(true);
    box.show();
    box.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&box));
    box.hide();
    w.window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.window()));
    QVERIFY(w.chart()->isVisible());

    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    w.window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.window()));
    QVERIFY(!w.chart()->isVisible());
    QVERIFY(w.action("Log1")->isChecked());
}

void ChartTest::zoomAndUndo() {
    WindowDriver w;
    w.calculate();
    ChartView* chart = w.chart();
    const QCPRange fullX = chart->xAxis->range();
    const QCPRange fullY = chart->yAxis->range();

    // Dragging a rectangle zooms into it, step by step.
    const QPoint from(chart->xAxis->coordToPixel(fullX.center()),
                      chart->yAxis->coordToPixel(fullY.center()));
    const QPoint to = from + QPoint(80, 60);
    const double left = chart->xAxis->pixelToCoord(from.x());
    QTest::mousePress(chart, Qt::LeftButton, {}, from);
    QTest::mouseMove(chart, to);
    QTest::mouseRelease(chart, Qt::LeftButton, {}, to);
    QTRY_VERIFY(chart->xAxis->range().size() < fullX.size() / 2);
    QTRY_COMPARE(chart->xAxis->range().lower, left);

    QTest::mouseClick(chart, Qt::RightButton, {}, from);
    QCOMPARE(chart->xAxis->range(), fullX);
    QCOMPARE(chart->yAxis->range(), fullY);
}

void ChartTest::axisTitlesAndLabels() {
    WindowDriver w;
    w.calculate();
    ChartView* chart = w.chart();
    chart->replot();
    QCOMPARE(chart->xAxis->label(), QStringLiteral("Расстройка относительно Fo (kHz)"));
    QCOMPARE(chart->yAxis->label(), QStringLiteral("Затухание (dB)"));
    QVERIFY(!chart->xAxis2->tickLabels() && !chart->yAxis2->tickLabels());
    QVERIFY(!chart->legend->visible());
    const QRegularExpression x("^-?\\d+\\.\\d{1,3}$");
    const QRegularExpression y("^-?\\d+\\.\\d{1,2}$");
    QVERIFY(!chart->xAxis->tickVectorLabels().isEmpty());
    for (const QString& label : chart->xAxis->tickVectorLabels()) {
        QVERIFY2(x.match(label).hasMatch(), qPrintable(label));
    }
    for (const QString& label : chart->yAxis->tickVectorLabels()) {
        QVERIFY2(y.match(label).hasMatch(), qPrintable(label));
    }
    // Zoomed far in, labels keep to three decimals and never come closer than 0.001 kHz.
    chart->xAxis->setRange(0.5, 0.5004);
    chart->replot();
    const QList<double> ticks = chart->xAxis->tickVector();
    QVERIFY(ticks.size() >= 1);
    for (int i = 1; i < ticks.size(); ++i) {
        QVERIFY(ticks[i] - ticks[i - 1] >= 0.001 - 1e-12);
    }
    for (const QString& label : chart->xAxis->tickVectorLabels()) {
        QVERIFY2(x.match(label).hasMatch(), qPrintable(label));
    }
}

QTEST_MAIN(ChartTest)
#include "ChartTest.moc"
