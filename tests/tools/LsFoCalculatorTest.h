#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

#include "LsFoCalculator.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace trellon {

class LsFoCalculatorTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void exampleIsCalculatedAndApplied();
    void enterInAnyFieldCalculates_data();
    void enterInAnyFieldCalculates();
    void emptyFieldOnlyWarns();
    void applyWaitsForACalculation();
    void equalFrequenciesChangeNothingShown();
    void negativeRootKeepsTheNewInductanceOnly();
    void anyCharacterIsTypedAndRefusedAsANumber();
    void commaSeparatorFormatsTheResults();

private:
    void createCalculator(char decimalSeparator);
    void calculateExample();
    QLineEdit* field(const char* name) const;
    QLabel* label(const char* name) const;
    QPushButton* button(const char* name) const;

    std::unique_ptr<LsFoCalculator> calculator_;
    QStringList warnings_;
    QStringList errors_;
    QStringList applied_;
};

}  // namespace trellon
