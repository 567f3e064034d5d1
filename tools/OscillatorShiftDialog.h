#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "CrystalBatchHooks.h"

class QLineEdit;

namespace trellon {

class CrystalTable;

// A crystal measured in an oscillator instead of a network analyser: its name, the frequencies
// at two effective load capacitances, C0 and Rm as the builder types them; "Добавить в партию"
// works out the crystal and adds it to the table. It stays open for the next crystal, with the
// loads still typed.
class OscillatorShiftDialog : public QDialog {
    Q_OBJECT

public:
    // `batchChecked` hands the table to the document and says whether it is a valid batch.
    OscillatorShiftDialog(CrystalTable& table, const CrystalBatchHooks& hooks,
                          std::function<bool()> batchChecked, char decimalSeparator,
                          QWidget* parent);

    void addClick();

private:
    enum Field { kName, kF1, kF2, kCl1, kCl2, kC0, kRm, kFieldCount };

    CrystalTable& table_;
    const CrystalBatchHooks& hooks_;
    std::function<bool()> batchChecked_;
    char decimalSeparator_;
    std::array<QLineEdit*, kFieldCount> fields_{};
};

}  // namespace trellon
