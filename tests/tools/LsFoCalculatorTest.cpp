#include "LsFoCalculatorTest.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace trellon {

namespace {

constexpr const char* kExampleLd = "Ld = 17.15 mH;";
constexpr const char* kExampleFo = "Fo = 8863.682 kHz.";

}  // namespace

void LsFoCalculatorTest::init() {
    warnings_.clear();
    errors_.clear();
    applied_.clear();
    createCalculator('.');
}

void LsFoCalculatorTest::cleanup() {
    calculator_.reset();
}

void LsFoCalculatorTest::createCalculator(char decimalSeparator) {
    LsFoCalculatorHooks hooks;
    hooks.showWarning = [this](const QString& text) { warnings_ << text; };
    hooks.showError = [this](const QString& text) { errors_ << text; };
    hooks.applyResults = [this](const QString& ld, const QString& fo) { applied_ << ld << fo; };
    calculator_ = std::make_unique<LsFoCalculator>(decimalSeparator, hooks);
    calculator_->show();
    QVERIFY(QTest::qWaitForWindowExposed(calculator_.get()));
}

void LsFoCalculatorTest::calculateExample() {
    QTest::mouseClick(button("BitBtn2"), Qt::LeftButton);
    QCOMPARE(label("Label7")->text(), QString(kExampleLd));
    QCOMPARE(label("Label8")->text(), QString(kExampleFo));
}

QLineEdit* LsFoCalculatorTest::field(const char* name) const {
    return calculator_->findChild<QLineEdit*>(name);
}

QLabel* LsFoCalculatorTest::label(const char* name) const {
    return calculator_->findChild<QLabel*>(name);
}

QPushButton* LsFoCalculatorTest::button(const char* name) const {
    return calculator_->findChild<QPushButton*>(name);
}

void LsFoCalculatorTest::exampleIsCalculatedAndApplied() {
    QCOMPARE(calculator_->windowTitle(), QString(" Ls & Fo Calculation"));
    QCOMPARE(calculator_->focusWidget(), field("Edit_F1"));
    QVERIFY(label("Label7")->text().isEmpty());

    calculateExample();
    QVERIFY(button("BitBtn3")->isEnabled());
    QVERIFY(warnings_.isEmpty() && errors_.isEmpty());

    QTest::mouseClick(button("BitBtn3"), Qt::LeftButton);
    QCOMPARE(applied_, QStringList({"17.15", "8863.682"}));
    QVERIFY(!calculator_->isVisible());

    // Shown again, it still holds the texts and the results of the last use.
    calculator_->show();
    QCOMPARE(field("Edit_F2")->text(), QString("8867,238"));
    QCOMPARE(label("Label8")->text(), QString(kExampleFo));
    QVERIFY(button("BitBtn3")->isEnabled());
}

void LsFoCalculatorTest::enterInAnyFieldCalculates_data() {
    QTest::addColumn<QString>("name");
    for (const char* name : {"Edit_Cs", "Edit_C1", "Edit_C2", "Edit_C3", "Edit_F1", "Edit_F2"}) {
        QTest::newRow(name) << QString(name);
    }
}

void LsFoCalculatorTest::enterInAnyFieldCalculates() {
    QFETCH(QString, name);
    QLineEdit* edit = field(name.toUtf8().constData());
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(label("Label7")->text(), QString(kExampleLd));
    QVERIFY(button("BitBtn3")->isEnabled());
}

void LsFoCalculatorTest::emptyFieldOnlyWarns() {
    calculateExample();
    const double exampleLd = calculator_->measuredLd();
    field("Edit_C3")->clear();
    field("Edit_F1")->setText("1000");  // would change the results if it were used
    QTest::mouseClick(button("BitBtn2"), Qt::LeftButton);
    QCOMPARE(warnings_, QStringList({"It is necessary to set all datas for calculation!"}));
    QVERIFY(errors_.isEmpty());
    QCOMPARE(label("Label7")->text(), QString(kExampleLd));
    QCOMPARE(calculator_->measuredLd(), exampleLd);
}

void LsFoCalculatorTest::applyWaitsForACalculation() {
    QVERIFY(!button("BitBtn3")->isEnabled());
    QTest::mouseClick(button("BitBtn3"), Qt::LeftButton);
    QVERIFY(applied_.isEmpty() && warnings_.isEmpty());

    calculator_->BitBtn3Click();
    QCOMPARE(warnings_, QStringList({"It is necessary to produce calculation!"}));
    QVERIFY(applied_.isEmpty());
    QVERIFY(calculator_->isVisible());
}

void LsFoCalculatorTest::equalFrequenciesChangeNothingShown() {
    field("Edit_F2")->setText("8864,031");
    QTest::mouseClick(button("BitBtn2"), Qt::LeftButton);
    QCOMPARE(errors_, QStringList({"Floating point division by zero"}));
    QVERIFY(label("Label7")->text().isEmpty());
    QVERIFY(!button("BitBtn3")->isEnabled());
    QCOMPARE(calculator_->measuredLd(), 0.0);
}

void LsFoCalculatorTest::negativeRootKeepsTheNewInductanceOnly() {
    calculateExample();
    const double exampleLd = calculator_->measuredLd();
    const double exampleFo = calculator_->measuredFo();
    field("Edit_F1")->setText("1000");
    field("Edit_F2")->setText("4000");
    QTest::mouseClick(button("BitBtn2"), Qt::LeftButton);
    QCOMPARE(errors_, QStringList({"Invalid floating point operation"}));
    QVERIFY(calculator_->measuredLd() != exampleLd);
    QCOMPARE(calculator_->measuredFo(), exampleFo);
    QCOMPARE(label("Label7")->text(), QString(kExampleLd));
    QCOMPARE(label("Label8")->text(), QString(kExampleFo));
}

void LsFoCalculatorTest::anyCharacterIsTypedAndRefusedAsANumber() {
    QLineEdit* f1 = field("Edit_F1");
    f1->clear();
    QTest::keyClicks(f1, "88-64");
    // keyClicks cannot type Cyrillic letters; send the letter as one key event.
    QTest::sendKeyEvent(QTest::Click, f1, Qt::Key_unknown, QString("ж"), Qt::NoModifier);
    QCOMPARE(f1->text(), QString("88-64ж"));

    QTest::mouseClick(button("BitBtn2"), Qt::LeftButton);
    QCOMPARE(errors_, QStringList({"'88-64ж' is not a valid floating point value"}));
    QVERIFY(label("Label7")->text().isEmpty());
    QVERIFY(!button("BitBtn3")->isEnabled());
}

void LsFoCalculatorTest::commaSeparatorFormatsTheResults() {
    createCalculator(',');
    QTest::mouseClick(button("BitBtn2"), Qt::LeftButton);
    QCOMPARE(label("Label7")->text(), QString("Ld = 17,15 mH;"));
    QCOMPARE(label("Label8")->text(), QString("Fo = 8863,682 kHz."));
    QTest::mouseClick(button("BitBtn3"), Qt::LeftButton);
    QCOMPARE(applied_, QStringList({"17,15", "8863,682"}));
}

}  // namespace trellon
