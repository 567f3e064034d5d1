#pragma once

#include <QDialog>

#include "Dialogs.h"

class QComboBox;
class QDoubleSpinBox;
class QRadioButton;

namespace trellon {

// Asks the width and height of an exported chart, in pixels or millimetres.
class ChartSizeDialog : public QDialog {
    Q_OBJECT

public:
    explicit ChartSizeDialog(const ChartImageSize& initial, QWidget* parent = nullptr);
    ChartImageSize size() const;

private:
    QDoubleSpinBox* width_;
    QDoubleSpinBox* height_;
    QComboBox* unit_;
};

// Asks the half width of the wide span in kHz; 0 stands for ten times the pass band.
class WideSpanDialog : public QDialog {
    Q_OBJECT

public:
    WideSpanDialog(double initialKhz, double largestKhz, QWidget* parent = nullptr);
    double halfWidthKhz() const;

private:
    QDoubleSpinBox* halfWidth_;
};

// Asks how an exported CSV file writes its numbers.
class CsvStyleDialog : public QDialog {
    Q_OBJECT

public:
    explicit CsvStyleDialog(QWidget* parent = nullptr);
    CsvStyle style() const;

private:
    QRadioButton* decimalPoint_;
    QRadioButton* decimalComma_;
};

// Asks how an exported Touchstone file writes its numbers.
class TouchstoneFormatDialog : public QDialog {
    Q_OBJECT

public:
    explicit TouchstoneFormatDialog(TouchstoneFormat initial, QWidget* parent = nullptr);
    TouchstoneFormat format() const;

private:
    QComboBox* format_;
};

}  // namespace trellon
