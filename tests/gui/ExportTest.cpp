// The exports of the chart, its curves and the design, each checked in the file written, and
// the import of a measured response.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "ChartReadout.h"
#include "Touchstone.h"
#include "WindowDriver.h"

using namespace trellon;
using namespace trellon::test;

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The numbers of the first match of `pattern` in `text`.
QList<double> numbersAfter(const QByteArray& text, const QString& pattern) {
    const QRegularExpressionMatch match =
        QRegularExpression(pattern).match(QString::fromLatin1(text));
    QList<double> numbers;
    for (int i = 1; i <= match.lastCapturedIndex(); ++i) {
        numbers << match.captured(i).toDouble();
    }
    return numbers;
}

}  // namespace

class ExportTest : public QObject {
    Q_OBJECT

private slots:
    void chartAsPngSvgAndPdfAtTheChosenSize();
    void curvesAsCsvInBothStylesReadBackAsNumbers();
    void spiceDeckOfTheLastDesignOverItsBand();
    void aFileThatCannotBeWrittenGivesOneMessage();
    void touchstoneOverTheBandOrTheWideSpanReadsBack();
    void measuredResponseIsDrawnAndReported();
    void aMalformedMeasurementChangesNothing();
    void exportChoicesAreKeptForTheSessionAndTheProject();

private:
    QTemporaryDir dir_;
};

void ExportTest::chartAsPngSvgAndPdfAtTheChosenSize() {
    WindowDriver w;
    w.calculate();
    FakeDialogs& d = w.dialogs();

    d.imageSizes = {{640, 400, false}, {800, 500, false}, {150, 100, true}};
    d.fileNames = {dir_.filePath("chart.png"), dir_.filePath("chart.svg"),
                   dir_.filePath("chart.pdf")};
    for (int i = 0; i < 3; ++i) {
        w.choose("ExportChart");
    }
    QVERIFY(d.shown.empty());
    QCOMPARE(QImage(dir_.filePath("chart.png")).size(), QSize(640, 400));

    const QByteArray svg = contents(dir_.filePath("chart.svg"));
    QVERIFY(svg.contains("<svg"));
    QCOMPARE(numbersAfter(svg, "viewBox=\"0 0 (\\d+) (\\d+)\""), QList<double>({800, 500}));
    // The image names the design its curves belong to.
    QVERIFY(svg.contains("B03-3100, Fo=8863.682 kHz"));

    // 150 x 100 mm is a page of 425.2 x 283.5 points.
    const QByteArray pdf = contents(dir_.filePath("chart.pdf"));
    QVERIFY(pdf.startsWith("%PDF"));
    const QList<double> box = numbersAfter(pdf, "/MediaBox \\[0 0 ([\\d.]+) ([\\d.]+)\\]");
    QCOMPARE(box.size(), 2);
    QVERIFY(std::abs(box[0] - 150 / 25.4 * 72) < 1 && std::abs(box[1] - 100 / 25.4 * 72) < 1);

    // Cancelling the size asks no file name and writes nothing.
    const int dialogs = d.fileDialogs;
    w.choose("ExportChart");
    QCOMPARE(d.fileDialogs, dialogs);
}

void ExportTest::curvesAsCsvInBothStylesReadBackAsNumbers() {
    WindowDriver w;
    w.calculateForBands({"2400", "3100"});
    ChartView* chart = w.chart();
    FakeDialogs& d = w.dialogs();

    d.csvStyles = {CsvStyle::DecimalPoint, CsvStyle::DecimalComma};
    d.fileNames = {dir_.filePath("point"), dir_.filePath("comma.csv")};
    w.choose("ExportCurves");
    w.choose("ExportCurves");
    QVERIFY(d.shown.empty());

    for (const auto& [name, separator] :
         {std::pair{"point.csv", ','}, std::pair{"comma.csv", ';'}}) {
        QStringList rows =
            QString::fromUtf8(contents(dir_.filePath(name))).split('\n', Qt::SkipEmptyParts);
        QVERIFY2(rows.size() > 2, name);
        QCOMPARE(rows[0].remove(QChar(0xFEFF)),
                 QStringLiteral("curve%1detuning_khz%1level_db").arg(separator));
        QList<int> read(2, 0);
        for (const QString& row : rows.mid(1)) {
            const QStringList cells = row.split(separator);
            QCOMPARE(cells.size(), 3);
            const int k = cells[0] == "\"FR1\"" ? 0 : 1;
            QCOMPARE(cells[0], k == 0 ? QStringLiteral("\"FR1\"") : QStringLiteral("\"FR2\""));
            bool xOk = false, yOk = false;
            const double x = QString(cells[1]).replace(',', '.').toDouble(&xOk);
            const double y = QString(cells[2]).replace(',', '.').toDouble(&yOk);
            QVERIFY(xOk && yOk);
            const auto point = chart->graph(k)->data()->at(read[k]++);
            QCOMPARE(x, point->key);
            QCOMPARE(y, point->value);
        }
        QCOMPARE(read, QList<int>({chart->curvePointCount(0), chart->curvePointCount(1)}));
    }
}

void ExportTest::spiceDeckOfTheLastDesignOverItsBand() {
    WindowDriver w;
    FakeDialogs& d = w.dialogs();
    d.fileNames = {dir_.filePath("never.cir")};
    w.choose("ExportSpice");
    QCOMPARE(d.texts(FakeDialogs::Shown::Kind::Warning).size(), 1);
    QCOMPARE(d.fileDialogs, 0);
    d.forget();

    w.calculate();
    w.choose("ExportSpice");
    QVERIFY(d.shown.empty());
    const QByteArray deck = contents(dir_.filePath("never.cir"));
    QVERIFY(deck.startsWith("* Trellon"));
    const QList<double> sweep = numbersAfter(deck, "\nac lin (\\d+) (\\S+) (\\S+)\n");
    const DesignState& s = w.state();
    QCOMPARE(sweep, QList<double>({s.BandHigh - s.BandLow + 1, s.BandLow, s.BandHigh}));
}

void ExportTest::aFileThatCannotBeWrittenGivesOneMessage() {
    WindowDriver w;
    w.calculate();
    FakeDialogs& d = w.dialogs();
    const QString missing = dir_.filePath("no such folder/curves.csv");
    d.csvStyles = {CsvStyle::DecimalPoint};
    d.fileNames = {missing};
    w.choose("ExportCurves");
    const QStringList errors = d.texts(FakeDialogs::Shown::Kind::Error);
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].contains(missing), qPrintable(errors[0]));
    QVERIFY(!QFile::exists(missing));
}

void ExportTest::touchstoneOverTheBandOrTheWideSpanReadsBack() {
    WindowDriver w;
    w.calculate();
    FakeDialogs& d = w.dialogs();
    d.fileNames = {dir_.filePath("band.s2p"), dir_.filePath("span")};
    const int points = w.chart()->curvePointCount(0);
    const double firstDetuning = w.chart()->graph(0)->data()->at(0)->key;
    w.choose("ExportTouchstone");
    w.choose("ViewWideSpan");
    w.choose("ExportTouchstone");
    QVERIFY(d.shown.empty());

    const QByteArray band = contents(dir_.filePath("band.s2p"));
    const TwoPortData traced = readTouchstone(band.toStdString(), "band.s2p");
    QCOMPARE(int(traced.frequencyHz.size()), points);
    QVERIFY(std::abs(traced.frequencyHz.front() - (w.state().Fo + firstDetuning) * 1000) < 1e-6);
    QCOMPARE(traced.referenceOhm, w.state().Rin);

    const TwoPortData span =
        readTouchstone(contents(dir_.filePath("span.s2p")).toStdString(), "span.s2p");
    QCOMPARE(span.frequencyHz.size(), std::size_t(2001));
    // A passive filter: no wave comes out stronger than it went in.
    for (const Complex& s21 : span.s21) {
        QVERIFY(std::hypot(s21.re, s21.im) <= 1 + 1e-12);
    }
}

void ExportTest::measuredResponseIsDrawnAndReported() {
    WindowDriver w;
    w.calculate();
    FakeDialogs& d = w.dialogs();
    const QString path = dir_.filePath("measured.s2p");
    d.fileNames = {path, path};
    w.choose("ExportTouchstone");
    const QStringList results = w.results();
    const int logLines = w.state().LogLastLine;

    w.choose("ImportMeasured");
    QVERIFY2(d.shown.empty(), qPrintable(d.texts().join('|')));
    ChartView* chart = w.chart();
    QCOMPARE(chart->extraCurveCount(), 1);
    QCOMPARE(chart->graph(kCurveCount)->name(), QStringLiteral("measured.s2p"));
    QVERIFY(chart->legend->visible());

    // The schematic's own two-port, measured, lies on the curve it was exported from, both
    // relative to their own peaks.
    const CurveSeries drawn = [&] {
        CurveSeries s;
        for (auto it = chart->graph(0)->data()->constBegin();
             it != chart->graph(0)->data()->constEnd(); ++it) {
            s.x.push_back(it->key);
            s.y.push_back(it->value);
        }
        return s;
    }();
    const auto measured = chart->graph(kCurveCount)->data();
    QCOMPARE(measured->size(), int(drawn.x.size()));
    for (int i = 0; i < measured->size(); i += 37) {
        QVERIFY(std::abs(measured->at(i)->value - interpolatedValue(drawn, measured->at(i)->key)) <
                0.01);
    }

    // Its report block follows the usual lines in the results panel and the log.
    const QStringList after = w.results();
    QCOMPARE(after.mid(0, results.size()), results);
    const QStringList block = after.mid(results.size());
    QCOMPARE(block.value(0), QStringLiteral("-- measured --"));
    // The narrow panel gets short lines that it shows whole; the log the whole block.
    const auto* panel = w.control<MemoView>("Memo1");
    for (const QString& line : block) {
        QVERIFY2(panel->fontMetrics().horizontalAdvance(line) < panel->viewport()->width(),
                 qPrintable(line));
    }
    const qsizetype logBlock = 5;
    QVERIFY(w.log().mid(w.log().size() - logBlock).join('\n').contains("[Measured: measured.s2p]"));
    QCOMPARE(w.state().LogLastLine, logLines + logBlock);
}

void ExportTest::aMalformedMeasurementChangesNothing() {
    WindowDriver w;
    w.calculate();
    const QString path = dir_.filePath("bad.s2p");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("# MHz S MA R 50\n10 0.1 0 0.9 0 0.9 0 0.1 0\n10.1 0.1 zero 0.9 0 0.9 0 0.1 0\n");
    file.close();
    const QStringList results = w.results();
    const QStringList log = w.log();

    FakeDialogs& d = w.dialogs();
    d.fileNames = {path};
    w.choose("ImportMeasured");
    const QStringList errors = d.texts(FakeDialogs::Shown::Kind::Error);
    QCOMPARE(d.shown.size(), std::size_t(1));
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors[0].contains("bad.s2p") && errors[0].contains('3'), qPrintable(errors[0]));
    QCOMPARE(w.chart()->extraCurveCount(), 0);
    QCOMPARE(w.results(), results);
    QCOMPARE(w.log(), log);
}

// The size, the folder and the Touchstone format last chosen are offered again; a project keeps
// the chart size only once one was chosen; the design-file dialog keeps the program's folder.
void ExportTest::exportChoicesAreKeptForTheSessionAndTheProject() {
    WindowDriver w;
    w.calculate();
    FakeDialogs& d = w.dialogs();
    const QString programFolder = QCoreApplication::applicationDirPath();
    QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("kept")));
    const QString folder = dir_.filePath(QStringLiteral("kept"));

    d.fileNames = {folder + QStringLiteral("/unsized.json")};
    w.choose("SaveProject");
    QCOMPARE(d.lastFolder, programFolder);
    QVERIFY(!contents(folder + QStringLiteral("/unsized.json")).contains("imageWidthPx"));

    const ChartImageSize chosen{150, 100, true};
    d.imageSizes = {chosen};
    d.fileNames = {folder + QStringLiteral("/chart.pdf")};
    w.choose("ExportChart");
    w.choose("ExportChart");  // cancelled at the size
    QVERIFY(d.lastInitialImageSize.has_value());
    QCOMPARE(d.lastInitialImageSize->width, chosen.width);
    QCOMPARE(d.lastInitialImageSize->millimetres, true);

    d.touchstoneFormats = {TouchstoneFormat::MagnitudeAngle};
    d.fileNames = {folder + QStringLiteral("/first.s2p"), folder + QStringLiteral("/again.s2p"),
                   folder + QStringLiteral("/sized.json")};
    w.choose("ExportTouchstone");
    QCOMPARE(d.lastFolder, folder);
    w.choose("ExportTouchstone");  // the format offered is the one chosen before
    w.choose("SaveProject");
    QVERIFY2(d.shown.empty(), qPrintable(d.texts().join('|')));
    for (const char* name : {"/first.s2p", "/again.s2p"}) {
        QVERIFY(contents(folder + QString::fromUtf8(name)).contains("# Hz S MA R "));
    }
    const QByteArray project = contents(folder + QStringLiteral("/sized.json"));
    QVERIFY(project.contains("imageWidthPx") && project.contains("\"touchstoneFormat\": \"MA\""));

    w.choose("Open");  // the design file's dialog, cancelled
    QCOMPARE(d.lastFolder, programFolder);
}

QTEST_MAIN(ExportTest)
#include "ExportTest.moc"
