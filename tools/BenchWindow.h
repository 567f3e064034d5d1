#pragma once

#include <QWidget>

#include "BenchCircuit.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;

namespace trellon {

// The steps from the design to the bench: the series the capacitors are rounded to, parallel
// pairs beyond a tolerance, the board's stray, and the match to a system resistance. A
// non-modal window; its buttons hand the settings to the main window.
class BenchWindow : public QWidget {
    Q_OBJECT

public:
    explicit BenchWindow(QWidget* parent = nullptr);

    BenchSettings settings() const;
    void setSettings(const BenchSettings& settings);

signals:
    void showRequested();
    void exportPdfRequested();
    void exportCsvRequested();

private:
    QComboBox* series_ = nullptr;
    QCheckBox* pairs_ = nullptr;
    QDoubleSpinBox* tolerance_ = nullptr;
    QDoubleSpinBox* stray_ = nullptr;
    QComboBox* match_ = nullptr;
    QDoubleSpinBox* systemOhm_ = nullptr;
};

}  // namespace trellon
