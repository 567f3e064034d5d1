#include "DataFileTest.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include "CommandError.h"
#include "DataFile.h"
#include "TinyFileSizeLimit.h"

Q_DECLARE_METATYPE(trellon::DesignInputs)

namespace trellon {

namespace {

DesignInputs startUpInputs() {
    return {.Fo = "8863.682",
            .Ld = "17.15",
            .Cs = "3.3",
            .Rd = "5.7",
            .dF = "3100",
            .level = "-10",
            .Ccor = "82",
            .Topology = 1,
            .Response = 1};
}

bool operator==(const DesignInputs& a, const DesignInputs& b) {
    return a.Fo == b.Fo && a.Ld == b.Ld && a.Cs == b.Cs && a.Rd == b.Rd && a.dF == b.dF &&
           a.level == b.level && a.Ccor == b.Ccor && a.Topology == b.Topology &&
           a.Response == b.Response;
}

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString errorOf(auto&& operation) {
    try {
        operation();
    } catch (const CommandError& error) {
        return QString::fromStdString(error.what());
    }
    return {};
}

}  // namespace

QString DataFileTest::pathOf(const QString& name) const {
    return folder_.filePath(name);
}

QString DataFileTest::writeFile(const QString& name, const QByteArray& content) const {
    QFile file(pathOf(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) {
        qFatal("cannot prepare %s", qPrintable(file.fileName()));
    }
    return file.fileName();
}

void DataFileTest::roundTripKeepsTheTextsAsTyped_data() {
    QTest::addColumn<DesignInputs>("inputs");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("point") << startUpInputs()
                           << QByteArray(
                                  "8863.682\r\n17.15\r\n3.3\r\n5.7\r\n3100\r\n\r\n\r\n"
                                  "-10\r\n82\r\n1\r\n1\r\n");
    DesignInputs comma{.Fo = "10000,5",
                       .Ld = "17,15",
                       .Cs = "3,3",
                       .Rd = " 5,70",
                       .dF = "2400",
                       .level = "-6,0",
                       .Ccor = "",
                       .Topology = 7,
                       .Response = 8};
    QTest::newRow("comma") << comma
                           << QByteArray(
                                  "10000,5\r\n17,15\r\n3,3\r\n 5,70\r\n2400\r\n\r\n\r\n"
                                  "-6,0\r\n\r\n7\r\n8\r\n");
}

void DataFileTest::roundTripKeepsTheTextsAsTyped() {
    QFETCH(DesignInputs, inputs);
    QFETCH(QByteArray, content);
    const QString path = pathOf("design.qua");
    DataFileLines saved;
    saved.save(path, inputs);
    QCOMPARE(contentOf(path), content);

    DataFileLines loaded;
    QVERIFY(loaded.load(path) == inputs);
}

void DataFileTest::reservedLinesSurviveLoadAndSave() {
    const QString path =
        writeFile("old.qua", "1\r\n2\r\n3\r\n4\r\n5\r\nnote A\r\nnote B\r\n-3\r\n82\r\n2\r\n6\r\n");
    DataFileLines lines;
    lines.load(path);
    const QString copy = pathOf("copy.qua");
    lines.save(copy, startUpInputs());
    QCOMPARE(contentOf(copy), QByteArray("8863.682\r\n17.15\r\n3.3\r\n5.7\r\n3100\r\nnote A\r\n"
                                         "note B\r\n-10\r\n82\r\n1\r\n1\r\n"));
}

void DataFileTest::lineEndsAndLineCounts() {
    DataFileLines lines;
    const DesignInputs lf =
        lines.load(writeFile("lf.qua", "1\n2\n3\n4\n5\n\n\n-3\n82\n5\n2\nextra\nmore"));
    QCOMPARE(lf.Rd, QString("4"));
    QCOMPARE(lf.Ccor, QString("82"));
    QCOMPARE(lf.Topology, 5);
    QCOMPARE(lf.Response, 2);
    QCOMPARE(lines.line(11), QString("2"));

    // A last line without its line end still counts.
    QCOMPARE(lines.load(writeFile("open.qua", "1\r\n2\r\n3\r\n4\r\n5\r\n\r\n\r\n-3\r\n\r\n4\r\n3"))
                 .Response,
             3);

    // Five lines: the empty line 10 is not a number, and nothing of the file is kept.
    const QString fiveLines = writeFile("five.qua", "9\r\n9\r\n9\r\n9\r\n9\r\n");
    QCOMPARE(errorOf([&] { lines.load(fiveLines); }),
             "Cannot load the design file '" + fiveLines + "': '' is not a valid integer value");
    QCOMPARE(lines.line(1), QString("1"));
    QCOMPARE(lines.line(9), QString(""));
}

void DataFileTest::badCatalogueNumbersRefuseTheWholeFile_data() {
    QTest::addColumn<QByteArray>("lines10and11");
    QTest::addColumn<QString>("error");
    QTest::newRow("foreign") << QByteArray("3100 Hz\r\n1")
                             << "'3100 Hz' is not a valid integer value";
    QTest::newRow("fraction") << QByteArray("1\r\n2.5") << "'2.5' is not a valid integer value";
    QTest::newRow("topology 8") << QByteArray("8\r\n1")
                                << "line 10 must be a topology number from 1 to 7, not '8'";
    QTest::newRow("topology 0") << QByteArray("0\r\n1")
                                << "line 10 must be a topology number from 1 to 7, not '0'";
    QTest::newRow("response 9") << QByteArray("7\r\n9")
                                << "line 11 must be a response number from 1 to 8, not '9'";
}

void DataFileTest::badCatalogueNumbersRefuseTheWholeFile() {
    QFETCH(QByteArray, lines10and11);
    QFETCH(QString, error);
    DataFileLines lines;
    lines.load(writeFile("good.qua", "1\r\n2\r\n3\r\n4\r\n5\r\nA\r\nB\r\n-3\r\n82\r\n2\r\n6\r\n"));
    const QString bad = writeFile(
        "bad.qua", "7\r\n7\r\n7\r\n7\r\n7\r\nX\r\nY\r\n-7\r\n7\r\n" + lines10and11 + "\r\n");
    QCOMPARE(errorOf([&] { lines.load(bad); }),
             "Cannot load the design file '" + bad + "': " + error);
    for (int number = 1; number <= DataFileLines::kCount; ++number) {
        QCOMPARE(lines.line(number), QString("1 2 3 4 5 A B -3 82 2 6").split(' ').at(number - 1));
    }
}

void DataFileTest::missingFileIsNamed() {
    const QString path = pathOf("nowhere.qua");
    DataFileLines lines;
    QCOMPARE(errorOf([&] { lines.load(path); }),
             "Cannot open the design file '" + path + "': No such file or directory");
}

void DataFileTest::quaIsAppendedOnlyWhenMissing_data() {
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("saved");
    QTest::newRow("bare") << "/d/filter"
                          << "/d/filter.qua";
    QTest::newRow("has it") << "/d/filter.qua"
                            << "/d/filter.qua";
    QTest::newRow("upper case") << "/d/FILTER.QUA"
                                << "/d/FILTER.QUA";
    QTest::newRow("mixed case") << "/d/filter.Qua"
                                << "/d/filter.Qua";
    QTest::newRow("other extension") << "/d/filter.txt"
                                     << "/d/filter.txt.qua";
    QTest::newRow("longer extension") << "/d/filter.quad"
                                      << "/d/filter.quad.qua";
    QTest::newRow("dotless ending") << "/d/aqua"
                                    << "/d/aqua.qua";
}

void DataFileTest::quaIsAppendedOnlyWhenMissing() {
    QFETCH(QString, chosen);
    QFETCH(QString, saved);
    QCOMPARE(DataFileNameForSaving(chosen), saved);
}

void DataFileTest::failedSaveLeavesThePreviousFile() {
    const QByteArray previous("1\r\n2\r\n3\r\n4\r\n5\r\n\r\n\r\n-3\r\n82\r\n2\r\n6\r\n");
    const QString path = writeFile("kept.qua", previous);
    DataFileLines lines;
    QString error;
    {
        test::TinyFileSizeLimit limit;
        error = errorOf([&] { lines.save(path, startUpInputs()); });
    }
    QVERIFY2(error.startsWith("Cannot write the design file '" + path + "': "), qPrintable(error));
    QCOMPARE(contentOf(path), previous);
    QCOMPARE(QDir(folder_.path()).entryList({"kept.qua*"}, QDir::Files), QStringList({"kept.qua"}));
}

void DataFileTest::unwritablePlacesAreNamed() {
    DataFileLines lines;
    const QString missingFolder = pathOf("missing/design.qua");
    QVERIFY(errorOf([&] {
                lines.save(missingFolder, startUpInputs());
            }).startsWith("Cannot create the design file '" + missingFolder + "': "));

    const QString folder = pathOf("folder.qua");
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(errorOf([&] {
                lines.save(folder, startUpInputs());
            }).startsWith("Cannot create the design file '" + folder + "': "));
    QVERIFY(QFileInfo(folder).isDir());
    QVERIFY(errorOf([&] { lines.load(folder); }).contains(folder));
}

}  // namespace trellon
