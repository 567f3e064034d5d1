// The Ls and Fo calculator as the main window uses it: opened from the menu beside the window,
// its results applied to the crystal fields, its messages shown in the window's boxes.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "WindowDriver.h"

using namespace trellon;
using namespace trellon::test;

namespace {

using Kind = FakeDialogs::Shown::Kind;

template <typename T = QLineEdit>
T* part(LsFoCalculator* calculator, const char* name) {
    return calculator->findChild<T*>(QString::fromUtf8(name));
}

int calculatorCount() {
    int count = 0;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        count += qobject_cast<LsFoCalculator*>(window) != nullptr ? 1 : 0;
    }
    return count;
}

// Opens the calculator from the menu and waits until it is the active window.
LsFoCalculator* openCalculator(WindowDriver& w) {
    w.choose("LsFo1");
    LsFoCalculator* calculator = w.calculator();
    if (!QTest::qWaitForWindowActive(calculator)) {
        qWarning("the calculator did not become active");
    }
    return calculator;
}

}  // namespace

class CalculatorCommandTest : public QObject {
    Q_OBJECT

private slots:
    void calculatorWaitsHiddenAndOpensBesideTheWindow();
    void exampleIsAppliedToTheCrystalFields_data();
    void exampleIsAppliedToTheCrystalFields();
    void calculatorMessagesUseTheWindowsBoxes();
    void returningAfterApplyShowsTheLog();
};

void CalculatorCommandTest::calculatorWaitsHiddenAndOpensBesideTheWindow() {
    WindowDriver w;
    QCOMPARE(calculatorCount(), 1);
    LsFoCalculator* calculator = w.calculator();
    QVERIFY(!calculator->isVisible());
    QCOMPARE(calculator->windowTitle(), QStringLiteral(" Ls & Fo Calculation"));

    openCalculator(w);
    QVERIFY(calculator->isVisible());
    QVERIFY(calculator->isActiveWindow());
    QVERIFY(!calculator->isModal());
    QVERIFY(QApplication::activeModalWidget() == nullptr);

    // The designer stays usable while the calculator is open.
    w.calculate();
    QVERIFY(w.dialogs().shown.empty());
    QCOMPARE(w.state().CalcCount, 1);

    // Closed and opened again, it is the same window, so it keeps what it held.
    calculator->close();
    QVERIFY(!calculator->isVisible());
    openCalculator(w);
    QCOMPARE(w.calculator(), calculator);
    QCOMPARE(calculatorCount(), 1);
}

void CalculatorCommandTest::exampleIsAppliedToTheCrystalFields_data() {
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("ld");
    QTest::addColumn<QString>("fo");
    QTest::newRow("point locale") << "en_US"
                                  << "17.15"
                                  << "8863.682";
    QTest::newRow("comma locale") << "ru_RU"
                                  << "17,15"
                                  << "8863,682";
}

void CalculatorCommandTest::exampleIsAppliedToTheCrystalFields() {
    QFETCH(QString, locale);
    QFETCH(QString, ld);
    QFETCH(QString, fo);
    const QLocale previous;
    QLocale::setDefault(QLocale(locale));
    WindowDriver w;
    QLocale::setDefault(previous);
    w.setText("Edit1", QStringLiteral("10000"));
    w.setText("Edit3", QStringLiteral("12"));
    LsFoCalculator* calculator = openCalculator(w);
    auto* apply = part<QPushButton>(calculator, "BitBtn3");
    QVERIFY(!apply->isEnabled());

    QTest::keyClick(part(calculator, "Edit_F2"), Qt::Key_Return);  // presses "Расчет"
    QVERIFY(apply->isEnabled());

    QTest::mouseClick(apply, Qt::LeftButton);
    QCOMPARE(w.edit("Edit3")->text(), ld);
    QCOMPARE(w.edit("Edit1")->text(), fo);
    QVERIFY(!calculator->isVisible());
    QVERIFY(w.dialogs().shown.empty());
    // Nothing is recalculated in the designer.
    QCOMPARE(w.state().CalcCount, 0);
    QCOMPARE(w.log().size(), 3);
    QVERIFY(w.resultField(ResultField::EditRin)->text().isEmpty());
}

void CalculatorCommandTest::calculatorMessagesUseTheWindowsBoxes() {
    WindowDriver w;
    LsFoCalculator* calculator = openCalculator(w);
    part(calculator, "Edit_F2")->setText(QStringLiteral("8864,031"));
    QTest::mouseClick(part<QPushButton>(calculator, "BitBtn2"), Qt::LeftButton);
    QCOMPARE(w.dialogs().texts(Kind::Error), QStringList{"Floating point division by zero"});
    QCOMPARE(w.dialogs().shown.size(), std::size_t(1));
    QVERIFY(part<QLabel>(calculator, "Label7")->text().isEmpty());
    QVERIFY(!part<QPushButton>(calculator, "BitBtn3")->isEnabled());
    QVERIFY(calculator->isVisible());

    w.dialogs().forget();
    part(calculator, "Edit_C3")->clear();
    QTest::keyClick(part(calculator, "Edit_C1"), Qt::Key_Return);
    QCOMPARE(w.dialogs().texts(Kind::Warning),
             QStringList{"It is necessary to set all datas for calculation!"});
    QCOMPARE(w.dialogs().shown.size(), std::size_t(1));
    QCOMPARE(w.edit("Edit3")->text(), QStringLiteral("17.15"));
}

// The chart of the old crystal gives way to the log when the user comes back with new values.
void CalculatorCommandTest::returningAfterApplyShowsTheLog() {
    WindowDriver w;
    w.window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.window()));
    w.calculate();
    QVERIFY(w.chart()->isVisible());

    LsFoCalculator* calculator = openCalculator(w);
    QTest::keyClick(part(calculator, "Edit_F1"), Qt::Key_Return);
    QTest::mouseClick(part<QPushButton>(calculator, "BitBtn3"), Qt::LeftButton);
    QVERIFY(!calculator->isVisible());
    w.window().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w.window()));
    QVERIFY(!w.chart()->isVisible());
    QVERIFY(w.action("Log1")->isChecked());
}

QTEST_MAIN(CalculatorCommandTest)
#include "CalculatorCommandTest.moc"
