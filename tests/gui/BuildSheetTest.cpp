// The build sheet of the 8-crystal CW example: its parts list, pictures and PDF; the window that
// takes the design to the bench; and a built curve over the wide span.
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "BenchPartsList.h"
#include "BenchWindow.h"
#include "BuildSheetDocument.h"
#include "BuiltCurveSource.h"
#include "BuiltFilter.h"
#include "Calculation.h"
#include "Catalogue.h"
#include "ChartView.h"
#include "CircuitTuning.h"
#include "Engine.h"
#include "MeasuredCrystalModel.h"
#include "NullViews.h"
#include "NumberText.h"
#include "ProjectFile.h"
#include "RetrimPanel.h"
#include "SchematicImage.h"
#include "SpiceExport.h"
#include "StartupInputs.h"
#include "WindowDriver.h"
#include "texts/RetrimTexts.h"

using namespace trellon;

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray exact(double value) {
    return QByteArray::fromStdString(FormatExact(value));
}

// The engine with the 8-crystal CW example calculated.
std::unique_ptr<Engine> calculatedCwExample() {
    auto engine = makeEngine();
    DesignState& s = engine->state;
    s.Topology = 7;
    s.Response = 8;
    NullViews views;
    CalculationInputs inputs;
    inputs.design = {startup::kFo, startup::kLd,   startup::kCs,
                     startup::kRd, startup::kCcor, startup::kDF};
    inputs.level = "-10";
    inputs.filterType = responseDisplayName(8);
    CalculationViews all{views, views, views, views, views};
    return RunCalculation(*engine, inputs, all) == CalculationOutcome::Completed ? std::move(engine)
                                                                                 : nullptr;
}

}  // namespace

class BuildSheetTest : public QObject {
    Q_OBJECT

private slots:
    void sheetListsEveryPartAndDrawsTheBuiltCurve();
    void benchWindowDrawsTheCurveAddsTheBlockAndExports();
    void builtCurveReachesTheWideSpanWithItsSpuriousModes();
    void aNewCalculationAsksBeforeItDropsTheTuning();
    void retrimPanelTunesTheDocumentOffTheWindowsThread();
};

void BuildSheetTest::sheetListsEveryPartAndDrawsTheBuiltCurve() {
    const std::unique_ptr<Engine> engine = calculatedCwExample();
    QVERIFY(engine != nullptr);

    const BenchSettings settings{24, 1.0, 3.0, MatchKind::SeriesLShuntC, 50};
    const std::shared_ptr<const CalculatedDesign> design = calculatedDesignOf(*engine);
    const BenchCircuit bench = makeBenchCircuit(design->band, design->circuit, settings);
    const BenchResult result = solveBench(*design, bench, builtCurveFrequencies(design->band));
    std::vector<std::string> names;
    for (int i = 1; i <= 8; ++i) {
        names.push_back("Q<" + std::to_string(i) + ">");
    }
    const QImage schematic = schematicImage(7, 1).toImage();
    QVERIFY(!schematic.isNull());
    const auto document =
        buildSheetDocument(*design, settings, bench, result, names, schematic, '.');
    const QString text = document->toPlainText();
    for (const char* part : {"Lin", "Cin+C1", "= Cin 68.36 + C1 40.94", "ZQ1", "C15+Cout", "ZQ8",
                             "Lout", "Q<8>", "100 || 6.2", "RLmin="}) {
        QVERIFY2(text.contains(part), part);
    }

    // The built curve is drawn in its own colour inside the plot.
    const QImage picture = benchResponsePicture(*design, result, QSize(900, 420));
    int red = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            red += c.red() > 150 && c.green() < 90 && c.blue() < 90 ? 1 : 0;
        }
    }
    QVERIFY2(red > 900, qPrintable(QString::number(red)));
    // The chart shows both curves whole: the stopband is not cut at a floor.
    ChartView chart;
    drawBenchResponse(chart, *design, result);
    for (int k = 0; k < 2; ++k) {
        for (double attenuation : chart.drawnCurves()[std::size_t(k)].series->y) {
            QVERIFY(chart.yAxis->range().contains(attenuation));
        }
    }
    QVERIFY(chart.yAxis->range().lower < result.ideal.amin - 60);

    // A crystal's trimmer says whose it is, in the sheet and in the parts list.
    const BenchCircuit tuned = tunedBenchCircuit(bench, {{}, {{"ZQ2", 220}}, {}}, settings);
    const BenchResult tunedResult = solveBench(*design, tuned, builtCurveFrequencies(design->band));
    const QString tunedText =
        buildSheetDocument(*design, settings, tuned, tunedResult, names, schematic, '.')
            ->toPlainText();
    QVERIFY2(tunedText.contains(QString::fromUtf8("подстроечный ZQ2")), qPrintable(tunedText));
    QVERIFY(benchPartsList(tuned, names, 3, '.')
                .contains(QString::fromUtf8("CT2 = 220 пФ (подстроечный ZQ2)")));

    QTemporaryDir dir;
    const QString keep = qEnvironmentVariable("TRELLON_BUILD_SHEET_PDF");
    const QString path = keep.isEmpty() ? dir.filePath("sheet.pdf") : keep;
    writeBuildSheetPdf(*document, path);
    QFile pdf(path);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");
    QVERIFY(pdf.size() > 20000);
}

void BuildSheetTest::benchWindowDrawsTheCurveAddsTheBlockAndExports() {
    test::WindowDriver w;
    w.choose("Bench");
    auto* bench = w.control<BenchWindow>("BenchWindow");
    QVERIFY(bench && bench->isVisible());
    // Nothing calculated yet: one warning, nothing drawn.
    bench->findChild<QPushButton*>("BenchShow")->click();
    QCOMPARE(w.dialogs().shown.size(), std::size_t(1));
    QVERIFY(w.dialogs().shown.front().kind == test::FakeDialogs::Shown::Kind::Warning);
    QCOMPARE(w.chart()->extraCurveCount(), 0);

    w.calculate();
    bench->setSettings({12, 2.0, 1.0, MatchKind::SeriesLShuntC, 50});
    const QStringList results = w.results();
    const int logLines = w.log().size();
    const int logLastLine = w.state().LogLastLine;
    bench->findChild<QPushButton*>("BenchShow")->click();
    QCOMPARE(w.chart()->extraCurveCount(), 1);
    QCOMPARE(w.results().mid(0, results.size()), results);
    QVERIFY(w.results().contains("-- as built --"));
    QVERIFY(w.log().mid(logLines).first().startsWith("As built: E12 (pairs beyond 2 %)"));
    QCOMPARE(w.state().LogLastLine - logLastLine, w.log().size() - logLines);
    // A topology chosen since, not yet calculated, leaves the drawn design at the bench.
    const QStringList block = w.log().mid(logLines);
    w.selectTopology(4);
    bench->findChild<QPushButton*>("BenchShow")->click();
    QCOMPARE(w.log().mid(logLines + block.size()), block);
    // A repeat replaces the curve and the results block; the log, a journal, records it again.
    bench->findChild<QPushButton*>("BenchShow")->click();
    QCOMPARE(w.chart()->extraCurveCount(), 1);
    QCOMPARE(w.chart()->legend->itemCount(), 1);
    QCOMPARE(w.results().count("-- as built --"), 1);
    QCOMPARE(w.results().mid(0, results.size()), results);

    QTemporaryDir dir;
    // While the curve is shown, the exports write the filter at the bench: the source at the
    // system resistance and the L-network, its two-port referred to 50 ohm.
    const BenchCircuit expected =
        makeBenchCircuit(w.window().calculatedDesign()->band,
                         w.window().calculatedDesign()->circuit, bench->settings());
    w.dialogs().fileNames = {dir.filePath("bench.cir"), dir.filePath("bench.s2p")};
    w.choose("ExportSpice");
    w.choose("ExportTouchstone");
    const QByteArray deck = contents(dir.filePath("bench.cir"));
    QVERIFY2(deck.contains("R1 n1 n2 50\n"), deck.constData());
    QVERIFY(deck.startsWith(QByteArray(spiceDeckTitle(SpiceDeckCircuit::AsBuilt)) + '\n'));
    QVERIFY(deck.contains(' ' + exact(expected.network.seriesValue) + '\n'));
    // The network's shunt capacitor is one part with C1, rounded with it.
    QCOMPARE(expected.capacitors.front().name, std::string("Cin+C1"));
    QVERIFY(
        deck.contains(' ' + exact((expected.capacitors.front().fittedPf + 1.0) * 1e-12) + '\n'));
    QVERIFY(contents(dir.filePath("bench.s2p")).contains("# Hz S RI R 50\n"));

    w.dialogs().fileNames = {dir.filePath("sheet.pdf"), dir.filePath("sheet.csv")};
    bench->findChild<QPushButton*>("BenchPdf")->click();
    bench->findChild<QPushButton*>("BenchCsv")->click();
    QFile pdf(dir.filePath("sheet.pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");
    QFile csv(dir.filePath("sheet.csv"));
    QVERIFY(csv.open(QIODevice::ReadOnly));
    QVERIFY(csv.readLine().contains("part,kind,design,fitted"));

    // "Очистить" ends it: the design's own circuit again, between its own terminations.
    w.choose("ClearGrafic");
    QCOMPARE(w.chart()->extraCurveCount(), 0);
    w.dialogs().fileNames = {dir.filePath("model.cir"), dir.filePath("model.s2p")};
    w.choose("ExportSpice");
    w.choose("ExportTouchstone");
    const QByteArray model = contents(dir.filePath("model.cir"));
    QVERIFY(!model.contains(' ' + exact(expected.network.seriesValue) + '\n'));
    QVERIFY(
        model.startsWith(QByteArray(spiceDeckTitle(SpiceDeckCircuit::CalculationModel)) + '\n'));
    QVERIFY(contents(dir.filePath("model.s2p"))
                .contains("# Hz S RI R " + exact(expected.filterOhm) + '\n'));
}

// Over the wide span a built curve is solved again with every arm of its crystals: a spurious
// mode 20 kHz above Fs lets through there what the crystals without it stop. Its levels are
// relative to its own Amin, as its band curve is drawn; the other quantities it leaves empty.
void BuildSheetTest::builtCurveReachesTheWideSpanWithItsSpuriousModes() {
    const std::unique_ptr<Engine> engine = calculatedCwExample();
    QVERIFY(engine != nullptr);
    const std::shared_ptr<const CalculatedDesign> design = calculatedDesignOf(*engine);
    auto record =
        std::make_shared<const CurveRecord>(recordTracedCurve(*engine, "FR1", design->circuit));
    auto span = std::make_shared<const SpanSettings>(SpanSettings{30e3, 1201});
    std::vector<MeasuredCrystal> crystals(std::size_t(design->crystalCount()),
                                          nominalMeasuredCrystal(engine->state));
    const auto wideSpanOf = [&](const std::vector<MeasuredCrystal>& placed) {
        auto circuit = std::make_shared<const BuiltCircuit>(makeBuiltFilter(*design, placed));
        const BuiltFilterResult band =
            solveBuiltFilter(*design, *circuit, builtCurveFrequencies(design->band));
        const CurveSeriesSource source =
            builtCurveSource(circuit, band.figures, false, record, span);
        return std::pair(source(ChartQuantity::WideSpan), source(ChartQuantity::GroupDelay));
    };
    const auto [plain, noDelay] = wideSpanOf(crystals);
    QVERIFY(noDelay.x.empty());
    for (MeasuredCrystal& crystal : crystals) {
        crystal.spurious = {{20, 60, 80}};
    }
    const CurveSeries spurred = wideSpanOf(crystals).first;
    QCOMPARE(spurred.x.size(), std::size_t(1201));
    const double spurKhz = crystals[0].fsKhz + 20 - design->foKhz;
    double gain = -1000;
    double peak = -1000;
    for (std::size_t i = 0; i < spurred.x.size(); ++i) {
        if (std::abs(spurred.x[i] - spurKhz) < 0.5) {
            gain = std::max(gain, spurred.y[i] - plain.y[i]);
        }
        peak = std::max(peak, spurred.y[i]);
    }
    QVERIFY2(gain > 40, qPrintable(QString::number(gain)));
    QVERIFY2(std::abs(peak) < 0.05, qPrintable(QString::number(peak)));
}

QTEST_MAIN(BuildSheetTest)
// The window's project saved to `path` with `tuning` added, opened again and calculated: the
// tuning is the document's, for the design it was made on.
void openTuned(test::WindowDriver& w, const QString& path, const CircuitTuning& tuning) {
    w.dialogs().fileNames = {path};
    w.choose("SaveProject");
    Project project = readProjectFile(contents(path).toStdString(), "tuned.json").project;
    project.tuning = tuning;
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(writeProjectFile(project)));
    file.close();
    w.dialogs().fileNames = {path};
    w.choose("OpenProject");
    w.calculate();
}

// A tuning a project brings is kept through the calculation of its design, less the parts that
// design lacks; a calculation after that asks first, and only Yes drops it.
void BuildSheetTest::aNewCalculationAsksBeforeItDropsTheTuning() {
    test::WindowDriver w;
    test::FakeDialogs& d = w.dialogs();
    w.calculate();
    w.choose("Bench");
    auto* bench = w.control<BenchWindow>("BenchWindow");
    const QString first = bench->findChild<QTableWidget*>("RetrimCapacitors")->item(0, 0)->text();
    QTemporaryDir dir;
    const QString path = dir.filePath("tuned.json");
    openTuned(w, path,
              {.capacitorsPf = {{first.toStdString(), 123}},
               .trimmersPf = {{"ZQ99", 1000}},
               .fsShiftsHz = {}});
    const QString tuned = first + " = 123 ";
    QVERIFY2(d.shown.empty(), qPrintable(d.texts().join('|')));
    QVERIFY(w.log().last().contains("ZQ99"));
    QVERIFY2(bench->partsListText().contains(tuned), qPrintable(bench->partsListText()));

    const int logLines = w.log().size();
    d.answers = {Dialogs::Answer::No};
    w.calculate();
    QCOMPARE(d.texts(), QStringList(QString::fromUtf8("Новый расчёт сбросит настройку фильтра "
                                                      "(изменено деталей: 1). Продолжить?")));
    QCOMPARE(w.log().size(), logLines);
    QVERIFY(bench->partsListText().contains(tuned));

    d.answers = {Dialogs::Answer::Yes};
    w.calculate();
    QVERIFY(w.log().size() > logLines);
    QVERIFY(!bench->partsListText().contains(tuned));
    d.fileNames = {path};
    w.choose("SaveProject");
    QVERIFY(!contents(path).contains("\"tuning\""));
    QVERIFY(contents(path).contains("\"version\": \"1.2\""));
}

// From C2 soldered a third too large, the panel's retrim brings the shape back (its measure to
// below half) and makes the result the document's tuning, its block in the log; a result of a
// run during which the bench changed is dropped with a note.
void BuildSheetTest::retrimPanelTunesTheDocumentOffTheWindowsThread() {
    test::WindowDriver w;
    w.calculate();
    w.choose("Bench");
    auto* bench = w.control<BenchWindow>("BenchWindow");
    bench->setSettings({0, std::nullopt, 1.0, MatchKind::None, 50});
    QTemporaryDir dir;
    openTuned(w, dir.filePath("tuned.json"),
              {.capacitorsPf = {{"C2", 100}}, .trimmersPf = {}, .fsShiftsHz = {}});
    const QString moved = "C2 = 100 ";
    QVERIFY2(bench->partsListText().contains(moved), qPrintable(bench->partsListText()));
    RetrimPanel& panel = bench->retrimPanel();
    auto* run = panel.findChild<QPushButton*>("RetrimRun");

    run->click();
    QVERIFY(panel.running());
    bench->setSettings({0, std::nullopt, 1.5, MatchKind::None, 50});
    QTRY_VERIFY_WITH_TIMEOUT(!panel.running(), 300000);
    QCOMPARE(panel.reportText(), QString::fromUtf8(texts::kRetrimOutdated));
    QVERIFY(bench->partsListText().contains(moved));

    const int logLines = w.log().size();
    run->click();
    QTRY_VERIFY_WITH_TIMEOUT(!panel.running(), 300000);
    const QStringList report = panel.reportText().split('\n');
    QCOMPARE(w.log().mid(logLines), report);
    QVERIFY(report.size() > 2 && report[0] == QString::fromUtf8(texts::kRetrimHeading));
    const QRegularExpressionMatch measures =
        QRegularExpression(QString::fromUtf8("до ([0-9.]+) дБ, после ([0-9.]+) дБ"))
            .match(report[1]);
    QVERIFY2(measures.hasMatch(), qPrintable(report[1]));
    QVERIFY(measures.captured(2).toDouble() < measures.captured(1).toDouble() / 2);
    QCOMPARE(report.filter(QString::fromUtf8("C2: 100 → ")).size(), 1);
    QVERIFY2(!bench->partsListText().contains(moved), qPrintable(report.join('\n')));
}

#include "BuildSheetTest.moc"
