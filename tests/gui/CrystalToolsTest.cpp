// The crystal batch window and the filter built from it, the choice from the batch, the
// Monte-Carlo window and the project file, reached through the main window's menu.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <cmath>

#include "BenchWindow.h"
#include "Catalogue.h"
#include "ChartReadout.h"
#include "CrystalBatchCsv.h"
#include "CrystalBatchWindow.h"
#include "CrystalFormulas.h"
#include "CrystalWindowHelpers.h"
#include "LocaleSeparator.h"
#include "MeasuredCrystalModel.h"
#include "MonteCarloReport.h"
#include "MonteCarloWindow.h"
#include "NumberText.h"
#include "SweepFitChart.h"
#include "WindowDriver.h"
#include "texts/BenchTexts.h"
#include "texts/CrystalWindowTexts.h"

using namespace trellon;
using namespace trellon::test;

class CrystalToolsTest : public QObject {
    Q_OBJECT

private slots:
    void batchTableDrawsAndReportsTheBuiltFilter();
    void choiceIsShownAndCancelKeepsThePreviousOne();
    void monteCarloDrawsEnvelopesAndCancelKeepsThePreviousResults();
    void projectSavedAndOpenedRestoresTheWindows();
    void sweepsAreFittedIntoTheBatchAndTheFitIsDrawn();
    void refusalsAreInTheWindowsLanguage();

private:
    QTemporaryDir dir_;
};

void CrystalToolsTest::batchTableDrawsAndReportsTheBuiltFilter() {
    WindowDriver w;
    w.calculate();
    FakeDialogs& d = w.dialogs();
    const int n = crystalCount(w.state().Topology);
    w.choose("CrystalBatch");
    auto* batch = toolWindow<CrystalBatchWindow>();
    QVERIFY(batch != nullptr && batch->isVisible());
    auto* table = batch->findChild<QTableWidget*>("CrystalTable");

    // A good file loads; a bad one names its file and line and leaves the table as it was.
    const QString good = dir_.filePath("batch.csv");
    const QString bad = dir_.filePath("bad.csv");
    writeFile(good, batchCsv(w.state(), n + 1, {}));
    writeFile(bad, "name,fs_khz,lm_mh,rm_ohm,c0_pf\nA,8000,10,20,3\nB,8000,ten,20,3\n");
    d.fileNames = {good, bad};
    click(batch, "ImportBatch");
    click(batch, "ImportBatch");
    QCOMPARE(d.shown.size(), std::size_t(1));
    QVERIFY(d.shown[0].text.contains("bad.csv', line 3"));
    QCOMPARE(table->rowCount(), n + 1);
    d.forget();

    // The nominal crystal everywhere: the built curve lies on the ideal one.
    const QStringList results = w.results();
    const int logLines = w.state().LogLastLine;
    const int logSize = int(w.log().size());
    click(batch, "PlaceCrystals");
    click(batch, "ShowBuilt");
    QVERIFY2(d.shown.empty(), qPrintable(d.texts().join('|')));
    ChartView* chart = w.chart();
    QCOMPARE(chart->extraCurveCount(), 1);
    const QCPGraph* built = extraCurve(chart, QString::fromUtf8(texts::kBuiltCurve));
    QVERIFY(built != nullptr && chart->legend->visible());
    QVERIFY(built->pen().style() != Qt::SolidLine);
    QVERIFY2(worstDeviation(chart, built) < 0.01,
             qPrintable(QString::number(worstDeviation(chart, built))));
    const QStringList block = w.results().mid(results.size());
    QCOMPARE(w.results().mid(0, results.size()), results);
    QCOMPARE(block.value(0), QStringLiteral("-- built --"));
    const int added = int(w.log().size()) - logSize;
    QVERIFY(added >= 3);
    QCOMPARE(w.state().LogLastLine, logLines + added);
    QVERIFY(w.log().join('\n').contains("ZQ1=X1"));

    // A crystal typed 300 Hz higher, with a decimal comma: the built filter moves off the
    // ideal curve, replaces the old built curve, and the SPICE export writes it.
    const QString spiceBefore = dir_.filePath("before.cir");
    d.fileNames = {spiceBefore};
    w.choose("ExportSpice");
    QTableWidgetItem* fs = table->item(0, 1);
    const double raised = fs->text().replace(',', '.').toDouble() + 0.3;
    fs->setText(QString::number(raised, 'f', 4).replace('.', ','));
    click(batch, "ShowBuilt");
    QVERIFY2(d.shown.empty(), qPrintable(d.texts().join('|')));
    QCOMPARE(chart->extraCurveCount(), 1);
    QVERIFY(worstDeviation(chart, extraCurve(chart, QString::fromUtf8(texts::kBuiltCurve))) > 0.1);
    QCOMPARE(w.results().count(QStringLiteral("-- built --")), 1);
    const QString spiceAfter = dir_.filePath("after.cir");
    d.fileNames = {spiceAfter};
    w.choose("ExportSpice");
    QVERIFY(contents(spiceBefore) != contents(spiceAfter));

    // Re-centred on the placed crystals, Fo becomes their median Fs (one of n raised by 300 Hz
    // leaves it at the nominal one to the hertz), the placement stays and the filter built with
    // them is drawn again on the new design.
    std::vector<double> placedFs;
    for (int row = 0; row < n; ++row) {
        placedFs.push_back(table->item(row, 1)->text().replace(',', '.').toDouble());
    }
    std::sort(placedFs.begin(), placedFs.end());
    click(batch, "RecentreDesign");
    QVERIFY2(d.shown.empty(), qPrintable(d.texts().join('|')));
    const double fo = w.edit("Edit1")->text().replace(',', '.').toDouble();
    QVERIFY2(std::abs(fo - placedFs[std::size_t(n / 2)]) < 0.0005, qPrintable(QString::number(fo)));
    QCOMPARE(w.results().count(QStringLiteral("-- built --")), 1);
    QCOMPARE(chart->extraCurveCount(), 1);
    QCOMPARE(batch->placement().size(), std::size_t(n));
    // The bench starts from the placed crystals: with nothing to change it draws the built
    // filter's curve.
    w.choose("Bench");
    click(w.window().findChild<BenchWindow*>(), "BenchShow");
    QVERIFY2(d.shown.empty(), qPrintable(d.texts().join('|')));
    QCOMPARE(seriesOf(extraCurve(chart, QString::fromUtf8(texts::kAsBuiltCurve))).y,
             seriesOf(extraCurve(chart, QString::fromUtf8(texts::kBuiltCurve))).y);

    // Saved as CSV and read back, the batch is the same; "Очистить" takes the curve away.
    const std::optional<CrystalBatch> typed = batch->checkedBatch();
    QVERIFY(typed.has_value());
    const QString saved = dir_.filePath("saved");
    d.fileNames = {saved, saved + ".csv"};
    click(batch, "SaveBatch");
    batch->setBatch({});
    click(batch, "ImportBatch");
    QCOMPARE(batch->checkedBatch(), typed);
    w.choose("ClearGrafic");
    QCOMPARE(chart->extraCurveCount(), 0);

    // A value out of range is named by its row, and nothing is drawn.
    table->item(1, 4)->setText("2000");
    click(batch, "ShowBuilt");
    QCOMPARE(d.texts(FakeDialogs::Shown::Kind::Warning).size(), 1);
    QVERIFY(d.shown.back().text.contains(QString::fromUtf8("Строка 2")));
    QCOMPARE(chart->extraCurveCount(), 0);
    batch->close();
}

void CrystalToolsTest::choiceIsShownAndCancelKeepsThePreviousOne() {
    WindowDriver w;
    w.calculate();
    FakeDialogs& d = w.dialogs();
    const int n = crystalCount(w.state().Topology);
    w.choose("CrystalBatch");
    auto* batch = toolWindow<CrystalBatchWindow>();
    // X1 is far off; the others sit 10 Hz apart.
    std::vector<double> offsets{2000};
    for (int i = 1; i < n + 2; ++i) {
        offsets.push_back(10.0 * i);
    }
    const QString path = dir_.filePath("choice.csv");
    writeFile(path, batchCsv(w.state(), n + 2, offsets));
    d.fileNames = {path};
    click(batch, "ImportBatch");

    w.choose("CrystalChoice");
    QTRY_VERIFY_WITH_TIMEOUT(!batch->choosing(), 20000);
    QVERIFY2(d.shown.empty(), qPrintable(d.texts().join('|')));
    const std::optional<CrystalChoice> choice = batch->lastChoice();
    QVERIFY(choice.has_value());
    QVERIFY(choice->measure <= choice->naiveMeasure);
    QCOMPARE(choice->placement.size(), std::size_t(n));
    QVERIFY(std::find(choice->placement.begin(), choice->placement.end(), 0) ==
            choice->placement.end());
    const QString shown = batch->findChild<QLabel*>("ChoiceLabel")->text();
    QVERIFY(shown.startsWith("ZQ1=X") && shown.contains(QString("ZQ%1=").arg(n)));
    click(batch, "ApplyChoice");
    QCOMPARE(batch->placement().size(), std::size_t(n));
    QVERIFY(std::find(batch->placement().begin(), batch->placement().end(), "X1") ==
            batch->placement().end());

    // A large batch stopped at once: the previous choice and its text stay.
    QByteArray many = batchCsv(w.state(), 120, {});
    writeFile(path, many);
    d.fileNames = {path};
    d.choices = {0};
    click(batch, "ImportBatch");
    QCOMPARE(d.texts(FakeDialogs::Shown::Kind::Question).size(), 1);
    d.forget();
    click(batch, "ChooseCrystals");
    QVERIFY(batch->choosing());
    click(batch, "CancelChoice");
    QTRY_VERIFY_WITH_TIMEOUT(!batch->choosing(), 20000);
    QCOMPARE(batch->lastChoice()->placement, choice->placement);
    QCOMPARE(batch->findChild<QLabel*>("ChoiceLabel")->text(), shown);
    QVERIFY(d.shown.empty());
    batch->close();
}

void CrystalToolsTest::monteCarloDrawsEnvelopesAndCancelKeepsThePreviousResults() {
    WindowDriver w;
    w.calculate();
    FakeDialogs& d = w.dialogs();
    w.choose("MonteCarlo");
    auto* mc = toolWindow<MonteCarloWindow>();
    QVERIFY(mc != nullptr && mc->isVisible());
    auto field = [&](const char* name, const char* text) {
        mc->findChild<QLineEdit*>(name)->setText(QString::fromUtf8(text));
    };

    // Without spread every sample is the nominal filter as built: the three envelopes lie on the
    // ideal curve, and every sample meets loose targets.
    field("Samples", "20");
    field("GridPoints", "301");
    mc->findChild<QComboBox*>("TargetKind")->setCurrentIndex(int(TargetKind::Absolute));
    field("MaxRipple", "100");
    field("MaxLoss", "100");
    field("BandwidthTolerance", "50");
    click(mc, "RunMonteCarlo");
    QTRY_VERIFY_WITH_TIMEOUT(!mc->running(), 20000);
    QVERIFY2(d.shown.empty(), qPrintable(d.texts().join('|')));
    ChartView* chart = w.chart();
    QCOMPARE(chart->extraCurveCount(), 3);
    for (const char* caption : texts::kEnvelopeCaptions) {
        const QCPGraph* envelope = extraCurve(chart, caption);
        QVERIFY(envelope != nullptr && envelope->dataCount() == 301);
        QVERIFY2(worstDeviation(chart, envelope) < 0.01, caption);
    }
    QCOMPARE(mc->lastResult()->yield, 1.0);
    QVERIFY(mc->findChild<QLabel*>("YieldLabel")->text().contains("100 %"));
    auto* around = mc->findChild<QLabel*>("AroundLabel");
    QVERIFY(around->text().contains(QString::fromUtf8("номинальные")));

    // Placed crystals 200 Hz apart: the same run spreads around them, off the ideal curve.
    const int n = crystalCount(w.state().Topology);
    std::vector<double> offsets;
    for (int i = 0; i < n; ++i) {
        offsets.push_back(200.0 * i - 100.0 * (n - 1));
    }
    const QString path = dir_.filePath("mc-batch.csv");
    writeFile(path, batchCsv(w.state(), n, offsets));
    w.choose("CrystalBatch");
    auto* batch = toolWindow<CrystalBatchWindow>();
    d.fileNames = {path};
    click(batch, "ImportBatch");
    click(batch, "PlaceCrystals");
    click(mc, "RunMonteCarlo");
    QTRY_VERIFY_WITH_TIMEOUT(!mc->running(), 20000);
    QVERIFY2(d.shown.empty(), qPrintable(d.texts().join('|')));
    QVERIFY(worstDeviation(
                chart, extraCurve(chart, QString::fromUtf8(texts::kEnvelopeCaptions[1]))) > 0.1);
    QVERIFY(around->text().contains(QString::fromUtf8("размещенные кварцы (X1,")));
    batch->setPlacement({});

    // With a spread the envelopes part, replacing the earlier ones.
    field("SigmaFs", "30");
    field("Samples", "200");
    click(mc, "RunMonteCarlo");
    QTRY_VERIFY_WITH_TIMEOUT(!mc->running(), 20000);
    QCOMPARE(chart->extraCurveCount(), 3);
    const MonteCarloResult first = *mc->lastResult();
    QCOMPARE(first.samples, 200);
    const CurveSeries p5 =
        seriesOf(extraCurve(chart, QString::fromUtf8(texts::kEnvelopeCaptions[0])));
    const CurveSeries p95 =
        seriesOf(extraCurve(chart, QString::fromUtf8(texts::kEnvelopeCaptions[2])));
    double widest = 0;
    for (std::size_t i = 0; i < p5.y.size(); ++i) {
        QVERIFY(p5.y[i] <= p95.y[i] + 1e-12);
        widest = std::max(widest, p95.y[i] - p5.y[i]);
    }
    QVERIFY(widest > 0.1);
    const QString yieldText = mc->findChild<QLabel*>("YieldLabel")->text();

    // A long run stopped at once keeps the results and the envelopes of the one before.
    field("Samples", "20000");
    click(mc, "RunMonteCarlo");
    QVERIFY(mc->running());
    click(mc, "CancelMonteCarlo");
    QTRY_VERIFY_WITH_TIMEOUT(!mc->running(), 20000);
    QCOMPARE(mc->lastResult()->samples, 200);
    QCOMPARE(mc->lastResult()->p50Db, first.p50Db);
    QCOMPARE(mc->findChild<QLabel*>("YieldLabel")->text(), yieldText);
    QCOMPARE(seriesOf(extraCurve(chart, QString::fromUtf8(texts::kEnvelopeCaptions[0]))).y, p5.y);

    // A field that is not a number is named, and nothing runs.
    field("MaxLoss", "x");
    click(mc, "RunMonteCarlo");
    QVERIFY(!mc->running());
    QCOMPARE(d.shown.size(), std::size_t(1));
    QVERIFY(d.shown[0].text.contains(QString::fromUtf8("Потери")));
    field("MaxLoss", "100");
    d.forget();

    // The results name their design, mark the targets, name the one missed most, and are
    // written to the log and, per sample, to a CSV.
    auto* designLabel = mc->findChild<QLabel*>("DesignLabel");
    const QString caption = QString::fromStdString(
        designCaption(*w.window().calculatedDesign(), localeDecimalSeparator()));
    QCOMPARE(designLabel->text(), QString::fromUtf8("Расчет: ") + caption);
    QVERIFY(w.log().contains(QString::fromStdString(
        monteCarloReportLines(*w.window().calculatedDesign(), first, {.kind = TargetKind::Absolute},
                              localeDecimalSeparator())[0])));
    for (const char* histogram : {"Histogram1", "Histogram2", "Histogram3"}) {
        QVERIFY(mc->findChild<QCustomPlot*>(histogram)->itemCount() >= 1);
    }
    QVERIFY(mc->findChild<QLabel*>("MissLabel")->text().contains(QString::fromUtf8("Все")));
    d.fileNames = {dir_.filePath("mc.csv")};
    click(mc, "ExportMonteCarlo");
    const QList<QByteArray> rows = contents(dir_.filePath("mc.csv")).split('\n');
    QVERIFY(rows[0].startsWith("sample,bandwidth_hz"));
    QCOMPARE(rows.size(), 200 + 2);

    // A calculation since makes the results stale: the envelopes leave the chart, and the
    // window says whose results they are.
    w.calculate();
    QCOMPARE(chart->extraCurveCount(), 0);
    QVERIFY(designLabel->text().startsWith(QString::fromUtf8("Расчет: ") + caption + " - "));
    QVERIFY(!mc->resultsCurrent());
    // A run that ends after the design changed draws nothing beside the new curve.
    field("Samples", "3000");
    click(mc, "RunMonteCarlo");
    QVERIFY(mc->running());
    w.calculate();
    QTRY_VERIFY_WITH_TIMEOUT(!mc->running(), 60000);
    QVERIFY2(d.shown.empty(), qPrintable(d.texts().join('|')));
    QCOMPARE(mc->lastResult()->samples, 3000);
    QCOMPARE(chart->extraCurveCount(), 0);
    QVERIFY(!mc->resultsCurrent() && designLabel->text().contains(" - "));
    mc->close();
}

void CrystalToolsTest::projectSavedAndOpenedRestoresTheWindows() {
    const QString path = dir_.filePath("design.json");
    const QString csv = dir_.filePath("project-batch.csv");
    Project saved;
    {
        WindowDriver w;
        w.setText("Edit1", "8863,682");
        w.calculate();
        FakeDialogs& d = w.dialogs();
        writeFile(csv, batchCsv(w.state(), crystalCount(w.state().Topology) + 1, {0, 15, -20}));
        w.choose("CrystalBatch");
        auto* batch = toolWindow<CrystalBatchWindow>();
        d.fileNames = {csv};
        click(batch, "ImportBatch");
        click(batch, "PlaceCrystals");
        auto* mc = toolWindow<MonteCarloWindow>();
        mc->findChild<QLineEdit*>("SigmaRm")->setText("7,5");
        mc->findChild<QLineEdit*>("Seed")->setText("42");
        mc->findChild<QLineEdit*>("LossMargin")->setText("0,5");
        mc->findChild<QComboBox*>("TargetKind")->setCurrentIndex(int(TargetKind::Absolute));
        w.choose("ViewGroupDelay");
        w.choose("Bench");
        w.window().findChild<BenchWindow*>()->setSettings(
            {24, 1.5, 2.5, MatchKind::SeriesCShuntL, 75});

        // A placed crystal renamed in the table: the file could not be opened again, so none
        // is written.
        auto* table = batch->findChild<QTableWidget*>("CrystalTable");
        table->item(0, 0)->setText("renamed");
        d.fileNames = {path};
        w.choose("SaveProject");
        QCOMPARE(d.texts(FakeDialogs::Shown::Kind::Warning).size(), 1);
        QVERIFY(!QFile::exists(path));
        table->item(0, 0)->setText("X1");
        d.forget();

        d.fileNames = {path};
        w.choose("SaveProject");
        QVERIFY2(d.shown.empty(), qPrintable(d.texts().join('|')));
        const LoadedProject loaded = readProjectFile(contents(path).toStdString(), "design.json");
        saved = loaded.project;
        QCOMPARE(saved.design.Fo, std::string("8863,682"));
        QCOMPARE(saved.batch, *batch->checkedBatch());
        QCOMPARE(saved.placement, batch->placement());
        QCOMPARE(saved.spreads.spread.sigmaRmPercent, 7.5);
        QCOMPARE(saved.spreads.seed, std::uint64_t(42));
        QCOMPARE(saved.targets.kind, TargetKind::Absolute);
        QCOMPARE(saved.targets.lossMarginDb, 0.5);
        QCOMPARE(saved.chart->quantity, ChartQuantity::GroupDelay);
        QCOMPARE(saved.bench, (ProjectBench{24, 1.5, 2.5, MatchKind::SeriesCShuntL, 75}));
        batch->close();
    }

    // A field this program does not know survives opening and saving again.
    QByteArray document = contents(path);
    document.insert(document.indexOf('{') + 1, "\"laterField\": [1, 2],");
    writeFile(path, document);

    WindowDriver w;
    FakeDialogs& d = w.dialogs();
    // A malformed project names its file and line and changes nothing.
    const QString bad = dir_.filePath("bad.json");
    writeFile(bad, "{\n  \"format\": \"trellon-project\",\n  \"design\": [\n");
    d.fileNames = {bad};
    w.choose("OpenProject");
    QCOMPARE(d.shown.size(), std::size_t(1));
    QVERIFY(d.shown[0].text.contains(QString::fromUtf8("bad.json», строка")));
    QVERIFY(toolWindow<CrystalBatchWindow>()->checkedBatch()->crystals.empty());
    d.forget();

    d.fileNames = {path};
    w.choose("OpenProject");
    QVERIFY2(d.shown.empty(), qPrintable(d.texts().join('|')));
    QCOMPARE(w.edit("Edit1")->text(), QStringLiteral("8863,682"));
    auto* batch = toolWindow<CrystalBatchWindow>();
    QCOMPARE(*batch->checkedBatch(), saved.batch);
    QCOMPARE(batch->placement(), saved.placement);
    auto* mc = toolWindow<MonteCarloWindow>();
    QCOMPARE(mc->findChild<QLineEdit*>("Seed")->text(), "42");
    QCOMPARE(mc->findChild<QComboBox*>("TargetKind")->currentIndex(), int(TargetKind::Absolute));
    QVERIFY(mc->findChild<QLineEdit*>("MaxLoss")->isEnabled());
    QVERIFY(!mc->findChild<QLineEdit*>("LossMargin")->isEnabled());
    QCOMPARE(w.chart()->quantity(), ChartQuantity::GroupDelay);
    QVERIFY(w.action("ViewGroupDelay")->isChecked());
    const BenchSettings bench = w.window().findChild<BenchWindow*>()->settings();
    QCOMPARE(bench.eSeries, 24);
    QCOMPARE(bench.parallelTolerancePercent, std::optional<double>(1.5));
    QCOMPARE(bench.strayPf, 2.5);
    QCOMPARE(bench.match, MatchKind::SeriesCShuntL);
    QCOMPARE(bench.systemOhm, 75.0);

    const QString again = dir_.filePath("again.json");
    d.fileNames = {again};
    w.choose("SaveProject");
    QVERIFY(contents(again).contains("laterField"));
    QCOMPARE(readProjectFile(contents(again).toStdString(), "again.json").project, saved);
}

// Two of the example sweeps and a file that is not a sweep: the two crystals come back as
// known.csv gives them, to the accuracy the example states (Fs 0.9 Hz, Lm and Rm 0.35 %, C0
// 1.2 %); one message names the bad file. The fitted curve lies on the measured one at the
// series resonance, where the fixture's resistance and loss set the level.
void CrystalToolsTest::sweepsAreFittedIntoTheBatchAndTheFitIsDrawn() {
    const QString sweeps = QStringLiteral(TRELLON_EXAMPLE_SWEEPS);
    const QByteArray knownCsv = contents(sweeps + "/known.csv");
    const CrystalBatch known = readCrystalBatchCsv(
        std::string_view(knownCsv.constData(), std::size_t(knownCsv.size())), "known.csv");
    const QString broken = dir_.filePath("broken.s2p");
    writeFile(broken, "# Hz S RI R 50\n10000000 1 0 1\n");
    // X1 swept from 200 Hz below its Fs: the fit is flagged, its reason the row's tooltip.
    QByteArray edgeText;
    for (const QByteArray& line : contents(sweeps + "/X1.s2p").split('\n')) {
        if (!line.startsWith("99") || line.left(7).toInt() >= 9999300) {
            edgeText += line + '\n';
        }
    }
    const QString edge = dir_.filePath("edge.s2p");
    writeFile(edge, edgeText);

    WindowDriver w;
    w.setText("Edit1", "10000");
    FakeDialogs& d = w.dialogs();
    w.choose("CrystalBatch");
    auto* batch = toolWindow<CrystalBatchWindow>();
    batch->findChild<QLineEdit*>("FixtureOhm")->setText("12,5");
    batch->findChild<QLineEdit*>("FixtureLoss")->setText("0,5");
    d.fileNameLists = {{sweeps + "/X1.s2p", broken, sweeps + "/X2.s2p", edge}};
    click(batch, "FitSweeps");
    QTRY_VERIFY_WITH_TIMEOUT(!batch->fitting(), 20000);

    const QStringList errors = d.texts(FakeDialogs::Shown::Kind::Error);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(
        errors[0].contains("broken.s2p") && !errors[0].contains("X1") && !errors[0].contains("X2"),
        qPrintable(errors[0]));
    const std::optional<CrystalBatch> fitted = batch->checkedBatch();
    QVERIFY(fitted && fitted->crystals.size() == 3);
    for (std::size_t i = 0; i < 2; ++i) {
        const MeasuredCrystal& f = fitted->crystals[i];
        const MeasuredCrystal& k = known.crystals[i];
        QCOMPARE(f.name, k.name);
        QVERIFY2(std::abs(f.fsKhz - k.fsKhz) * 1000 < 0.9, f.name.c_str());
        QVERIFY2(std::abs(f.lmMh / k.lmMh - 1) < 0.0035, f.name.c_str());
        QVERIFY2(std::abs(f.rmOhm / k.rmOhm - 1) < 0.0035, f.name.c_str());
        QVERIFY2(std::abs(f.c0Pf / k.c0Pf - 1) < 0.012, f.name.c_str());
        QVERIFY(batch->fittedSweep(int(i)) != nullptr);
    }

    auto* table = batch->findChild<QTableWidget*>("CrystalTable");
    const int remarks = 7;  // after the residual
    QCOMPARE(table->horizontalHeaderItem(remarks)->text(), QString::fromUtf8("Замечания"));
    QCOMPARE(table->item(0, remarks)->text(), QString());
    QCOMPARE(table->item(2, remarks)->text(), QString::fromUtf8("⚠ 1"));
    QVERIFY2(table->item(2, remarks)->toolTip().contains(QString::fromUtf8("Fs в ")),
             qPrintable(table->item(2, remarks)->toolTip()));
    table->setCurrentCell(1, 0);
    click(batch, "ShowFit");
    // The fit has a chart of its own, over the sweep's frequencies: the main chart's detuning
    // from the filter's Fo does not fit a crystal measured on its own.
    QCOMPARE(w.chart()->extraCurveCount(), 0);
    auto* fitChart = toolWindow<SweepFitChart>();
    QVERIFY(fitChart != nullptr && fitChart->isVisible());
    QCustomPlot* plot = fitChart->plot();
    QCOMPARE(plot->graph(0)->name(), QString::fromUtf8("X2 измерено"));
    QCOMPARE(plot->graph(1)->name(), QString::fromUtf8("X2 подгонка"));
    QCOMPARE(plot->xAxis->label(), QString::fromUtf8(texts::kSweepFitAxis));
    const CurveSeries m = seriesOf(plot->graph(0));
    const CurveSeries f = seriesOf(plot->graph(1));
    QCOMPARE(m.x.size(), batch->fittedSweep(1)->frequencyHz.size());
    QCOMPARE(f.x, m.x);
    QVERIFY(plot->xAxis->range().contains(m.x.front()) &&
            plot->xAxis->range().contains(m.x.back()));
    const auto peak = std::size_t(std::max_element(f.y.begin(), f.y.end()) - f.y.begin());
    QVERIFY2(std::abs(m.x[peak] - known.crystals[1].fsKhz) < 0.2,
             qPrintable(QString::number(m.x[peak])));
    QVERIFY2(std::abs(f.y[peak] - m.y[peak]) < 0.02, qPrintable(QString::number(f.y[peak])));
    batch->close();
    fitChart->close();
}

QTEST_MAIN(CrystalToolsTest)
// A setting out of its range is refused in Russian with its caption, range and unit (the command
// line keeps its English check), and so is a file the window cannot open.
void CrystalToolsTest::refusalsAreInTheWindowsLanguage() {
    WindowDriver w;
    w.calculate();
    FakeDialogs& d = w.dialogs();
    w.choose("MonteCarlo");
    auto* mc = toolWindow<MonteCarloWindow>();
    const std::pair<const char*, const char*> typed[] = {
        {"Samples", "0"}, {"Stray", "-1"}, {"GridPoints", "abc"}, {"SigmaLm", "100"}};
    const char* expected[] = {
        "Число испытаний: 0 вне допустимого диапазона 1…1000000",
        "Паразитная емкость, пФ: -1 вне допустимого диапазона 0…1000000 пФ, кроме 1000000",
        "Точек по частоте: «abc» - не целое число",
        "σ Lm, %: 100 вне допустимого диапазона 0…100 %, кроме 100"};
    for (std::size_t i = 0; i < std::size(typed); ++i) {
        const QString before = mc->findChild<QLineEdit*>(typed[i].first)->text();
        mc->findChild<QLineEdit*>(typed[i].first)->setText(QString::fromUtf8(typed[i].second));
        d.forget();
        click(mc, "RunMonteCarlo");
        QCOMPARE(d.texts(FakeDialogs::Shown::Kind::Warning),
                 QStringList{QString::fromUtf8(expected[i])});
        mc->findChild<QLineEdit*>(typed[i].first)->setText(before);
    }
    mc->close();

    d.forget();
    d.fileNames = {dir_.filePath("no such project.json")};
    w.choose("OpenProject");
    const QStringList errors = d.texts(FakeDialogs::Shown::Kind::Error);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].startsWith(QString::fromUtf8("Не удалось открыть файл проекта «") +
                                  dir_.filePath("no such project.json") + QString::fromUtf8("»: ")),
             qPrintable(errors[0]));
}

#include "CrystalToolsTest.moc"
