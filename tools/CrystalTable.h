#pragma once

#include <QString>
#include <QTableWidget>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "CrystalBatch.h"
#include "CrystalFit.h"
#include "CrystalSweepFit.h"

namespace trellon {

// A crystal fitted from a sweep file: the sweep and the fixture it was fitted in, and the fit.
// The window keeps them for showing the fit; the project file holds only the crystal.
struct FittedSweep {
    std::vector<double> frequencyHz;
    std::vector<Complex> s21;
    CrystalFixture fixture;
    CrystalFitResult fit;
};

// The batch as the user types it: one crystal a row, each value shown to what a measurement
// supports and kept exact until retyped, and the Q of the values as they stand. A fitted
// crystal's row also shows its fit residual and the fit's warnings (their reasons as the
// tooltip) and carries its sweep; removing or replacing the row takes the sweep along.
class CrystalTable : public QTableWidget {
    Q_OBJECT

public:
    CrystalTable(char decimalSeparator, QWidget* parent);

    // Replaces every row, and forgets the sweeps of fitted crystals.
    void showBatch(const CrystalBatch& batch);
    // The rows as a batch, empty rows left out; a value that is not a number or out of range,
    // an empty or repeated name gives one warning naming the row, and nothing.
    std::optional<CrystalBatch> typedBatch(const std::function<void(const QString&)>& warn) const;

    void appendCrystal(const MeasuredCrystal& crystal);
    void appendFitted(const MeasuredCrystal& crystal, FittedSweep sweep);
    // The sweep and fit of the crystal in this row, or nothing when it was not fitted here.
    const FittedSweep* fittedSweep(int row) const;
    // The name typed in this row, trimmed.
    QString rowName(int row) const;
    // Every name typed, for fitted crystals to be named apart from.
    std::set<std::string> names() const;
    // The rows selected, in table order.
    std::set<int> selectedRowSet() const;

    void addRow();
    void removeSelectedRows();

private:
    QTableWidgetItem* readOnlyItem(double value, int significant) const;
    QTableWidgetItem* remarksItem(const std::vector<FitWarning>& warnings) const;
    void showQ(int row);
    // The exact value of a cell set by the program, or the number typed into it; throws
    // CommandError for a text that is not a number.
    double cellValue(int row, int column) const;

    char decimalSeparator_;
    // By the id the row's name cell holds.
    std::map<int, FittedSweep> fittedSweeps_;
    int nextFitId_ = 1;
};

}  // namespace trellon
