// The exports of the chart, its curves and the design, each checked in the file written.
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

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
    w.setText("Edit2", "2400");
    w.calculate();
    w.setText("Edit2", "3100");
    w.calculate();
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

QTEST_MAIN(ExportTest)
#include "ExportTest.moc"
