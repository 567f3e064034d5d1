// Saving and opening design files through the "Файл" menu: what is written, what a loaded
// design shows, and that a bad file changes nothing.
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include "SchematicImage.h"
#include "WindowDriver.h"

using namespace trellon;
using namespace trellon::test;

namespace {

using Kind = FakeDialogs::Shown::Kind;

const char* const kInputFields[] = {"Edit1", "Edit3", "Edit4", "Edit6", "Edit11", "Edit2", "Edit5"};

// The file as the program writes it right after start, lines 6 and 7 holding notes.
const QByteArray kStartUpFile(
    "8863.682\r\n17.15\r\n3.3\r\n5.7\r\n3100\r\nnote A\r\nnote B\r\n"
    "-10\r\n82\r\n1\r\n1\r\n");

QByteArray contentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

// Everything a load may change, and what it must never change, one item a line.
QStringList windowState(WindowDriver& w) {
    QStringList state;
    for (const char* name : kInputFields) {
        state << QString::fromUtf8(name) + '=' + w.edit(name)->text();
    }
    state << "Edit7=" + w.edit("Edit7")->text() << "Edit10=" + w.edit("Edit10")->text();
    state << QStringLiteral("Ccor shown=%1").arg(w.edit("Edit11")->isVisibleTo(&w.window()));
    state << QStringLiteral("Topology=%1 Response=%2")
                 .arg(w.state().Topology)
                 .arg(w.state().Response);
    state << QStringLiteral("lists=%1 %2")
                 .arg(w.control<QComboBox>("ComboBox1")->currentIndex())
                 .arg(w.control<QComboBox>("ComboBox2")->currentIndex());
    state
        << QStringLiteral("schematic=%1").arg(w.control<QLabel>("ShemaFiltr")->pixmap().cacheKey());
    state << "visible fields=" + w.visibleResultFields().join(' ');
    for (int i = 0; i < kResultFieldCount; ++i) {
        QLineEdit* field = w.resultField(static_cast<ResultField>(i));
        state << field->objectName() + '=' + field->text();
    }
    state << "results=" + w.results().join('|') << "log=" + w.log().join('|');
    state << QStringLiteral("runs=%1").arg(w.state().CalcCount);
    return state;
}

class DefaultLocale {
public:
    explicit DefaultLocale(const QString& name) { QLocale::setDefault(QLocale(name)); }
    ~DefaultLocale() { QLocale::setDefault(previous_); }

private:
    QLocale previous_;
};

}  // namespace

class DataFileCommandTest : public QObject {
    Q_OBJECT

private slots:
    void designRoundTripsThroughTheWindow_data();
    void designRoundTripsThroughTheWindow();
    void reservedLinesSurviveOpenAndSave();
    void fileWithLfLineEndsLoads();
    void loadedCwDesignShowsItsSchematicAndKeepsTheList();
    void badFileChangesNothing_data();
    void badFileChangesNothing();
    void savedNameEndsInQuaOnce();
    void unwritableFileShowsOneErrorBox();

private:
    QString pathOf(const QString& name) const { return folder_.filePath(name); }

    QTemporaryDir folder_;
};

void DataFileCommandTest::designRoundTripsThroughTheWindow_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("texts");  // in the order of kInputFields
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("point locale")
        << QStringLiteral("en_US")
        << QStringList{"8863.682", "17.15", "3.3", "5.7", "68", "500", "-6.5"}
        << QByteArray("8863.682\r\n17.15\r\n3.3\r\n5.7\r\n500\r\n\r\n\r\n-6.5\r\n68\r\n6\r\n6\r\n");
    QTest::newRow("comma locale")
        << QStringLiteral("ru_RU")
        << QStringList{"8863,682", "17,15", "3,3", "5,7", "68", "500", "-6,5"}
        << QByteArray("8863,682\r\n17,15\r\n3,3\r\n5,7\r\n500\r\n\r\n\r\n-6,5\r\n68\r\n6\r\n6\r\n");
}

void DataFileCommandTest::designRoundTripsThroughTheWindow() {
    QFETCH(QString, locale);
    QFETCH(QStringList, texts);
    QFETCH(QByteArray, file);
    DefaultLocale decimalMark(locale);
    WindowDriver w;
    for (int i = 0; i < texts.size(); ++i) {
        w.setText(kInputFields[i], texts[i]);
    }
    w.selectTopology(5);  // 6-crystal CW
    w.selectResponse(5);  // Chebyshev 0.5 dB

    w.dialogs().fileNames.push_back(pathOf("design"));
    w.choose("Save");
    QCOMPARE(w.dialogs().lastFolder, QCoreApplication::applicationDirPath());
    QCOMPARE(w.dialogs().lastFilters, QStringLiteral("Datafiles of quartz (*.qua)"));
    QCOMPARE(contentOf(pathOf("design.qua")), file);

    for (const char* name : kInputFields) {
        w.setText(name, QStringLiteral("1"));
    }
    w.selectTopology(0);
    w.selectResponse(0);
    w.dialogs().fileNames.push_back(pathOf("design.qua"));
    w.choose("Open");
    QCOMPARE(w.dialogs().lastFolder, QCoreApplication::applicationDirPath());
    QCOMPARE(w.dialogs().lastFilters,
             QStringLiteral("Datafiles on quartzs (*.qua);;All files (*)"));
    QCOMPARE(w.dialogs().lastDefaultExtension, QStringLiteral("qua"));
    QVERIFY2(w.dialogs().shown.empty(), qPrintable(w.dialogs().texts().join(" | ")));
    for (int i = 0; i < texts.size(); ++i) {
        QCOMPARE(w.edit(kInputFields[i])->text(), texts[i]);
    }
    QCOMPARE(w.edit("Edit7")->text(), QStringLiteral("6-crystal CW"));
    QCOMPARE(w.edit("Edit10")->text(), QStringLiteral("Cheb. dA=0.5 dB"));
    QCOMPARE(w.state().Topology, 6);
    QCOMPARE(w.state().Response, 6);
    QCOMPARE(w.control<QComboBox>("ComboBox1")->currentIndex(), 0);
    QCOMPARE(w.control<QComboBox>("ComboBox2")->currentIndex(), 0);
    QCOMPARE(w.state().CalcCount, 0);

    // The loaded design is the one calculated, with the texts as the locale reads them.
    w.calculate();
    QVERIFY2(w.dialogs().shown.empty(), qPrintable(w.dialogs().texts().join(" | ")));
    QVERIFY(w.log().value(5).startsWith(
        "Cheb. dA=0.5 dB;  Ccor=68 pF;  dF=500 Hz;  FR Level=" + texts[6] + " dB;"));
}

void DataFileCommandTest::reservedLinesSurviveOpenAndSave() {
    WindowDriver w;
    writeFile(pathOf("notes.qua"), kStartUpFile);
    w.dialogs().fileNames.push_back(pathOf("notes.qua"));
    w.choose("Open");
    w.setText("Edit2", QStringLiteral("2400"));
    w.dialogs().fileNames.push_back(pathOf("copy"));
    w.choose("Save");
    QByteArray expected = kStartUpFile;
    expected.replace("3100", "2400");
    QCOMPARE(contentOf(pathOf("copy.qua")), expected);
    QVERIFY(w.dialogs().shown.empty());
}

void DataFileCommandTest::fileWithLfLineEndsLoads() {
    WindowDriver w;
    QByteArray lf = kStartUpFile;
    lf.replace("\r\n", "\n").replace("17.15", "12.5").replace("\n1\n1\n", "\n2\n3\n");
    writeFile(pathOf("lf.qua"), lf);
    w.dialogs().fileNames.push_back(pathOf("lf.qua"));
    w.choose("Open");
    QVERIFY(w.dialogs().shown.empty());
    QCOMPARE(w.edit("Edit3")->text(), QStringLiteral("12.5"));
    QCOMPARE(w.edit("Edit5")->text(), QStringLiteral("-10"));
    QCOMPARE(w.edit("Edit7")->text(), QStringLiteral("4-crystal"));
    QCOMPARE(w.edit("Edit10")->text(), QStringLiteral("Cheb. dA=0.099 dB"));

    // Written back, it has the program's own line ends.
    w.dialogs().fileNames.push_back(pathOf("crlf"));
    w.choose("Save");
    QCOMPARE(contentOf(pathOf("crlf.qua")), QByteArray(lf).replace("\n", "\r\n"));
}

void DataFileCommandTest::loadedCwDesignShowsItsSchematicAndKeepsTheList() {
    WindowDriver w;
    w.calculate();  // 3-crystal values in the result fields, and a report
    QVERIFY(w.dialogs().shown.empty());
    QLineEdit* focused = w.edit("Edit4");
    focused->setFocus();
    QStringList resultTexts;
    for (int i = 0; i < kResultFieldCount; ++i) {
        resultTexts << w.resultField(static_cast<ResultField>(i))->text();
    }
    const QStringList log = w.log();

    QByteArray cw = kStartUpFile;
    cw.replace("\r\n1\r\n1\r\n", "\r\n5\r\n2\r\n");
    writeFile(pathOf("cw.qua"), cw);
    w.dialogs().fileNames.push_back(pathOf("cw.qua"));
    w.choose("Open");
    QVERIFY(w.dialogs().shown.empty());

    const QImage shown = w.control<QLabel>("ShemaFiltr")->pixmap().toImage();
    QCOMPARE(shown, schematicImage(5, w.window().devicePixelRatio()).toImage());
    QVERIFY(w.edit("Edit11")->isVisible());
    QVERIFY(w.control<QLabel>("Label11")->isVisible());
    QCOMPARE(w.visibleResultFields(),
             QStringList({"EditRin", "EditC1", "EditC2", "EditC3", "EditC4Cw8", "EditC5Cw8",
                          "EditC6Cw8", "EditC7Cw8", "EditC8Cw8"}));
    for (int i = 0; i < kResultFieldCount; ++i) {
        QCOMPARE(w.resultField(static_cast<ResultField>(i))->text(), resultTexts[i]);
    }
    QCOMPARE(w.edit("Edit7")->text(), QStringLiteral("4-crystal CW"));
    QCOMPARE(w.edit("Edit10")->text(), QStringLiteral("Cheb. dA=0.044 dB"));
    QCOMPARE(w.state().Topology, 5);
    QCOMPARE(w.state().Response, 2);
    QCOMPARE(w.control<QComboBox>("ComboBox1")->currentIndex(), 0);
    QCOMPARE(w.control<QComboBox>("ComboBox1")->currentText(), QStringLiteral("3-crystal"));
    QCOMPARE(w.control<QComboBox>("ComboBox2")->currentIndex(), 0);
    QCOMPARE(w.window().focusWidget(), focused);
    QCOMPARE(w.log(), log);
    QCOMPARE(w.state().CalcCount, 1);
}

void DataFileCommandTest::badFileChangesNothing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");  // null: no such file
    QTest::addColumn<QString>("reason");
    QTest::newRow("five lines") << "five.qua" << QByteArray("9\r\n9\r\n9\r\n9\r\n9\r\n")
                                << "'' is not a valid integer value";
    QTest::newRow("foreign line 10")
        << "log.qua" << QByteArray("a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nSWR=1;\r\n1\r\n")
        << "'SWR=1;' is not a valid integer value";
    QTest::newRow("topology 8") << "eight.qua"
                                << QByteArray("1\r\n2\r\n3\r\n4\r\n5\r\n\r\n\r\n-3\r\n4\r\n8\r\n1")
                                << "line 10 must be a topology number from 1 to 7, not '8'";
    QTest::newRow("response 9") << "nine.qua"
                                << QByteArray("1\r\n2\r\n3\r\n4\r\n5\r\n\r\n\r\n-3\r\n4\r\n7\r\n9")
                                << "line 11 must be a response number from 1 to 8, not '9'";
    QTest::newRow("missing file") << "nowhere.qua" << QByteArray() << "No such file or directory";
}

void DataFileCommandTest::badFileChangesNothing() {
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    WindowDriver w;
    writeFile(pathOf("good.qua"), kStartUpFile);
    w.dialogs().fileNames.push_back(pathOf("good.qua"));
    w.choose("Open");
    w.selectTopology(6);
    w.calculate();
    QVERIFY(w.dialogs().shown.empty());
    const QStringList before = windowState(w);

    const QString bad = pathOf(name);
    if (!content.isNull()) {
        writeFile(bad, content);
    }
    w.dialogs().fileNames.push_back(bad);
    w.choose("Open");
    QCOMPARE(w.dialogs().shown.size(), std::size_t(1));
    QCOMPARE(w.dialogs().shown[0].kind, Kind::Error);
    const QString error = w.dialogs().shown[0].text;
    QVERIFY2(error.contains(bad) && error.endsWith(reason), qPrintable(error));
    QCOMPARE(windowState(w), before);

    // The lines kept for the next save are still those of the good file.
    w.dialogs().fileNames.push_back(pathOf("after"));
    w.choose("Save");
    QCOMPARE(contentOf(pathOf("after.qua")),
             QByteArray(kStartUpFile).replace("\r\n1\r\n1\r\n", "\r\n7\r\n1\r\n"));
}

void DataFileCommandTest::savedNameEndsInQuaOnce() {
    WindowDriver w;
    w.dialogs().fileNames.push_back(pathOf("filter"));
    w.choose("Save");
    QVERIFY(QFile::exists(pathOf("filter.qua")));

    // Choosing the existing file replaces it.
    w.setText("Edit2", QStringLiteral("2700"));
    w.dialogs().fileNames.push_back(pathOf("filter.qua"));
    w.choose("Save");
    QVERIFY(contentOf(pathOf("filter.qua")).contains("\r\n2700\r\n"));
    QVERIFY(!QFile::exists(pathOf("filter.qua.qua")));
    QVERIFY(w.dialogs().shown.empty());
}

void DataFileCommandTest::unwritableFileShowsOneErrorBox() {
    WindowDriver w;
    const QString path = pathOf("no such folder/design");
    w.dialogs().fileNames.push_back(path);
    w.choose("Save");
    const QStringList errors = w.dialogs().texts(Kind::Error);
    QCOMPARE(w.dialogs().shown.size(), std::size_t(1));
    QVERIFY2(errors.size() == 1 &&
                 errors[0].startsWith("Cannot create the design file '" + path + ".qua': "),
             qPrintable(errors.join(" | ")));
}

QTEST_MAIN(DataFileCommandTest)
#include "DataFileCommandTest.moc"
