// The calculation command: results in the fields, the results panel, the log and the chart,
// and the warnings and errors that stop it.
#include <QApplication>
#include <QTest>
#include <algorithm>
#include <new>
#include <stdexcept>

#include "CommandError.h"
#include "CommandRunner.h"
#include "FakeDialogs.h"
#include "LineEditRoom.h"
#include "WindowDriver.h"

using namespace trellon;
using namespace trellon::test;

namespace {

QString fieldText(const WindowDriver& w, ResultField field) {
    return w.resultField(field)->text();
}

}  // namespace

class CalculationTest : public QObject {
    Q_OBJECT

private slots:
    void calculationFillsFieldsPanelLogAndCurve();
    void aWideValueShrinksToFitItsField();
    void everyTopologyFillsAllItsFields_data();
    void everyTopologyFillsAllItsFields();
    void synthesisWarningStopsTheCommand();
    void levelWarningsStopBeforeTheSweep_data();
    void levelWarningsStopBeforeTheSweep();
    void unconvertibleTextEndsTheCommandWithAnErrorBox_data();
    void unconvertibleTextEndsTheCommandWithAnErrorBox();
    void pointAndCommaGiveTheSameDesign_data();
    void pointAndCommaGiveTheSameDesign();
    void anyFailureOfACommandEndsInOneErrorBox();
};

void CalculationTest::calculationFillsFieldsPanelLogAndCurve() {
    WindowDriver w;
    w.calculate();
    QVERIFY2(w.dialogs().shown.empty(), qPrintable(w.dialogs().texts().join(" | ")));
    QVERIFY(QApplication::overrideCursor() == nullptr);

    const QString rin = fieldText(w, ResultField::EditRin);
    const QString c1 = fieldText(w, ResultField::EditC1);
    const QString c2 = fieldText(w, ResultField::EditC2);
    QVERIFY(!rin.isEmpty() && !c1.isEmpty() && !c2.isEmpty());
    // The schematic is symmetric: Rout = Rin, C4 = C1, C3 = C2.
    QCOMPARE(fieldText(w, ResultField::EditC5), rin);
    QCOMPARE(fieldText(w, ResultField::EditC5Cw8), c1);
    QCOMPARE(fieldText(w, ResultField::EditC3), c2);

    const QStringList results = w.results();
    QCOMPARE(results.size(), 7);
    QCOMPARE(results[0], QString(16, '-'));
    QCOMPARE(results[1], QStringLiteral("[B03-3100]"));
    QVERIFY(results[2].startsWith("Amin=") && results[2].endsWith(" dB;"));
    QVERIFY(results[3].startsWith("F(Amin)=Fo+"));
    QVERIFY(results[5].startsWith("dF(-10 dB)=") && results[5].endsWith(" Hz;"));
    QCOMPARE(results[6], QStringLiteral("SWR=1; Kref=0%."));

    const QStringList log = w.log();
    QCOMPARE(log.size(), 3 + 6);
    QCOMPARE(log[3], QStringLiteral(" "));
    QCOMPARE(log[4], QStringLiteral("---------------- [B03-3100] ----------------"));
    QCOMPARE(log[5], QStringLiteral("Butt. dA=3 dB;  dF=3100 Hz;  FR Level=-10 dB;  SWR=1;  "
                                    "Kref=0%;"));
    QCOMPARE(log[7], "Rin=Rout=" + rin + " Ohm;  C1=C4=" + c1 + " pF;  C2=C3=" + c2 + " pF.");
    QCOMPARE(log[8], QString(57, '='));

    // Curve FR1 holds the band down to the level, its peak at 0 dB; the chart is shown.
    ChartView* chart = w.chart();
    QVERIFY(chart->isVisible());
    QVERIFY(w.action("FR")->isChecked());
    QVERIFY(!w.action("Log1")->isChecked());
    QVERIFY(chart->curvePointCount(0) > 1000);
    for (int k = 1; k < kCurveCount; ++k) {
        QCOMPARE(chart->curvePointCount(k), 0);
    }
    const auto data = chart->graph(0)->data();
    double highest = -1e9;
    for (const QCPGraphData& point : *data) {
        highest = std::max(highest, point.value);
        QVERIFY(point.value > -10.5);
    }
    QVERIFY(std::abs(highest) < 0.01);
    QVERIFY(data->constBegin()->value < -9.9 || (data->constEnd() - 1)->value < -9.9);

    CurveStatusBar* panels = w.curvePanels();
    QCOMPARE(panels->panelCaption(0), QStringLiteral("FR1:B03-3100; "));
    QCOMPARE(panels->panelBevel(0), PanelBevel::Raised);
    QCOMPARE(panels->panelStyle(0), PanelStyle::OwnerDrawn);

    QCOMPARE(w.state().CalcCount, 1);
    QVERIFY(w.state().LogUnsaved);
    QCOMPARE(w.state().LogLastLine, 9);
}

void CalculationTest::aWideValueShrinksToFitItsField() {
    WindowDriver w;
    w.setText("Edit3", QStringLiteral("100"));
    w.setText("Edit2", QStringLiteral("15000"));
    w.calculate();
    QLineEdit* rin = w.resultField(ResultField::EditRin);
    QCOMPARE(rin->text(), QStringLiteral("1.414E4"));
    const QFont full = w.resultField(ResultField::EditC1)->font();
    QVERIFY(QFontInfo(rin->font()).pointSizeF() < QFontInfo(full).pointSizeF());
    for (int i = 0; i < kResultFieldCount; ++i) {
        QLineEdit* field = w.resultField(static_cast<ResultField>(i));
        if (field->isVisible()) {
            const QString name = field->objectName() + ' ' + field->text();
            QVERIFY2(QFontMetricsF(field->font()).horizontalAdvance(field->text()) <=
                         lineEditTextRoom(field),
                     qPrintable(name));
            QVERIFY2(QFontInfo(field->font()).pointSizeF() >= 7, qPrintable(name));
            QCOMPARE(field->toolTip(), field->text());
        }
    }
    // A value that fits takes the full font again.
    w.setText("Edit3", QStringLiteral("17.15"));
    w.setText("Edit2", QStringLiteral("3100"));
    w.calculate();
    QCOMPARE(rin->font(), full);
}

void CalculationTest::everyTopologyFillsAllItsFields_data() {
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("logLines");
    QTest::addColumn<QString>("key");
    const int lines[] = {6, 6, 7, 7, 6, 7, 8};
    const char* keys[] = {"B03-", "B04-", "B06-", "B08-", "B04C-", "B06C-", "B08C-"};
    for (int p = 0; p < 7; ++p) {
        QTest::newRow(keys[p]) << p << lines[p] << QString::fromLatin1(keys[p]);
    }
}

void CalculationTest::everyTopologyFillsAllItsFields() {
    QFETCH(int, position);
    QFETCH(int, logLines);
    QFETCH(QString, key);
    WindowDriver w;
    w.selectTopology(position);
    w.calculate();
    QVERIFY2(w.dialogs().shown.empty(), qPrintable(w.dialogs().texts().join(" | ")));
    for (const QString& name : w.visibleResultFields()) {
        QVERIFY2(!w.edit(name.toLatin1())->text().isEmpty(), qPrintable(name));
    }
    QCOMPARE(w.log().size(), 3 + logLines);
    QCOMPARE(w.results()[1], "[" + key + "3100]");
    if (position >= 4) {
        QCOMPARE(w.results()[2], QStringLiteral("Ccor=82 pF"));
        QCOMPARE(w.curvePanels()->panelCaption(0), "FR1:" + key + "3100; Ccor=82 pF");
    }
    QVERIFY(w.chart()->curvePointCount(0) > 0);
}

void CalculationTest::synthesisWarningStopsTheCommand() {
    WindowDriver w;
    w.setText("Edit3", QString());
    w.calculate();
    QCOMPARE(w.dialogs().texts(FakeDialogs::Shown::Kind::Warning),
             QStringList{QStringLiteral("Необходимо задать все данные для расчета !")});
    QCOMPARE(w.dialogs().shown.size(), std::size_t(1));
    QCOMPARE(w.log().size(), 3);
    QVERIFY(w.results().join("").isEmpty());
    QCOMPARE(w.chart()->curvePointCount(0), 0);
    QVERIFY(!w.chart()->isVisible());
    QCOMPARE(w.state().CalcCount, 1);
    QVERIFY(!w.state().LogUnsaved);
}

void CalculationTest::levelWarningsStopBeforeTheSweep_data() {
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("warning");
    QTest::newRow("empty") << QString() << QStringLiteral("Задайте уровень АЧХ!");
    QTest::newRow("zero") << QStringLiteral("0")
                          << QStringLiteral("Уровень АЧХ задан не корректно!");
    QTest::newRow("positive") << QStringLiteral("3,5")
                              << QStringLiteral("Уровень АЧХ задан не корректно!");
}

void CalculationTest::levelWarningsStopBeforeTheSweep() {
    QFETCH(QString, level);
    QFETCH(QString, warning);
    WindowDriver w;
    w.setText("Edit5", level);
    w.calculate();
    QCOMPARE(w.dialogs().texts(), QStringList{warning});
    QCOMPARE(w.dialogs().shown[0].kind, FakeDialogs::Shown::Kind::Warning);
    // The synthesis has run; nothing after it.
    QVERIFY(!fieldText(w, ResultField::EditRin).isEmpty());
    QCOMPARE(w.log().size(), 3);
    QVERIFY(w.results().join("").isEmpty());
    QCOMPARE(w.chart()->curvePointCount(0), 0);
    QVERIFY(!w.chart()->isVisible());
    QCOMPARE(w.state().CalcCount, 1);
}

void CalculationTest::unconvertibleTextEndsTheCommandWithAnErrorBox_data() {
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QString>("text");
    QTest::newRow("lone minus as level") << QByteArray("Edit5") << QStringLiteral("-");
    QTest::newRow("1-2 as level") << QByteArray("Edit5") << QStringLiteral("1-2");
    QTest::newRow("two points in Ld") << QByteArray("Edit3") << QStringLiteral("17.1.5");
}

void CalculationTest::unconvertibleTextEndsTheCommandWithAnErrorBox() {
    QFETCH(QByteArray, field);
    QFETCH(QString, text);
    WindowDriver w;
    w.setText(field, text);
    w.calculate();
    QCOMPARE(w.dialogs().texts(FakeDialogs::Shown::Kind::Error),
             QStringList{"'" + text + "' is not a valid floating point value"});
    QCOMPARE(w.dialogs().shown.size(), std::size_t(1));
    QCOMPARE(w.state().CalcCount, 0);
    QCOMPARE(w.log().size(), 3);
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void CalculationTest::pointAndCommaGiveTheSameDesign_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QChar>("separator");
    QTest::newRow("point locale") << QStringLiteral("en_US") << QChar('.');
    QTest::newRow("comma locale") << QStringLiteral("ru_RU") << QChar(',');
}

void CalculationTest::pointAndCommaGiveTheSameDesign() {
    QFETCH(QString, locale);
    QFETCH(QChar, separator);
    const QLocale previous;
    QLocale::setDefault(QLocale(locale));
    QStringList designs;
    for (const QString& ld : {QStringLiteral("17.15"), QStringLiteral("17,15")}) {
        WindowDriver w;
        w.setText("Edit3", ld);
        w.calculate();
        QVERIFY2(w.dialogs().shown.empty(), qPrintable(w.dialogs().texts().join(" | ")));
        designs << fieldText(w, ResultField::EditRin) + " " + fieldText(w, ResultField::EditC1);
    }
    QLocale::setDefault(previous);
    QCOMPARE(designs[0], designs[1]);
    QVERIFY2(designs[0].contains(separator), qPrintable(designs[0]));
}

// A fault of the program is told as an internal error, and the window goes on; a message for
// the user keeps its own text.
void CalculationTest::anyFailureOfACommandEndsInOneErrorBox() {
    FakeDialogs dialogs;
    runCommand(dialogs, [] { throw CommandError("Cannot open the file"); });
    runCommand(dialogs, [] { throw std::runtime_error("the solver lost its grid"); });
    runCommand(dialogs, [] { throw std::bad_alloc(); });
    runCommand(dialogs, [] {});
    QCOMPARE(dialogs.texts(FakeDialogs::Shown::Kind::Error),
             QStringList({QStringLiteral("Cannot open the file"),
                          QStringLiteral("Внутренняя ошибка: the solver lost its grid"),
                          QStringLiteral("Внутренняя ошибка: не хватает памяти")}));
    QCOMPARE(dialogs.shown.size(), std::size_t(3));
}

QTEST_MAIN(CalculationTest)
#include "CalculationTest.moc"
