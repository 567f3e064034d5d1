#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace trellon {

// What the calculator needs from the window that owns it.
struct LsFoCalculatorHooks {
    // A modal warning box with one OK button.
    std::function<void(const QString& text)> showWarning;
    // The error box that ends a command: a text that is not a number, an arithmetic fault.
    std::function<void(const QString& text)> showError;
    // Puts the results, already formatted, into the Ld and Fo fields of the design.
    std::function<void(const QString& ld, const QString& fo)> applyResults;
};

// The Ls and Fo calculator: derives the motional inductance and the series resonance of a
// crystal from two frequencies measured in a test oscillator, with K1 closed and open. It is
// created hidden once and afterwards only shown and hidden, so the texts, the labels and the
// results last for the whole run.
class LsFoCalculator : public QDialog {
    Q_OBJECT

public:
    LsFoCalculator(char decimalSeparator, LsFoCalculatorHooks hooks, QWidget* parent = nullptr);

    double measuredLd() const { return MeasuredLd; }
    double measuredFo() const { return MeasuredFo; }

public slots:
    // "Расчет": the calculation; Enter in any field presses it.
    void BitBtn2Click();
    // "Применить": hands the results to the design and hides the calculator.
    void BitBtn3Click();

private:
    void createPicture();
    void createFields();
    void createResults();
    void chainTabOrder();
    QLineEdit* addField(const char* name, const char* hint, int left, int top, int width,
                        const char* text);
    void calculate();
    double valueOf(const QLineEdit* field) const;
    QString formatted(double value, int digits) const;

    char decimalSeparator_;
    LsFoCalculatorHooks hooks_;

    QLineEdit* Edit_Cs = nullptr;
    QLineEdit* Edit_C1 = nullptr;
    QLineEdit* Edit_C2 = nullptr;
    QLineEdit* Edit_C3 = nullptr;
    QLineEdit* Edit_F1 = nullptr;
    QLineEdit* Edit_F2 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QPushButton* BitBtn2 = nullptr;
    QPushButton* BitBtn3 = nullptr;

    double MeasuredLd = 0;  // mH
    double MeasuredFo = 0;  // kHz
};

}  // namespace trellon
