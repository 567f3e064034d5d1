#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "CrystalBatchHooks.h"
#include "CrystalSweepFit.h"

class QLineEdit;
class QProgressBar;
class QPushButton;

namespace trellon {

class BackgroundRun;
class CrystalTable;

// Crystals fitted to VNA sweeps in a fixture: the fixture's fields, the fit run in the background
// (Cancel keeps the crystals fitted so far), the fitted crystals added to the table, and a fitted
// crystal's measured curve drawn with its fitted one.
class SweepFitPanel : public QWidget {
    Q_OBJECT

public:
    SweepFitPanel(CrystalTable& table, const CrystalBatchHooks& hooks, char decimalSeparator,
                  QWidget* parent);

    bool fitting() const;

    // Fits a crystal to each chosen Touchstone file and adds the fitted ones to the table.
    void fitSweepsClick();
    // Draws the selected fitted crystal's measured and fitted curves.
    void showFitClick();

private:
    std::optional<FixtureChoice> typedFixture();
    void addFitted(std::vector<SweepFileOutcome>& outcomes);

    CrystalTable& table_;
    const CrystalBatchHooks& hooks_;
    char decimalSeparator_;
    QLineEdit* fixtureOhmEdit_ = nullptr;
    QLineEdit* fixtureLossEdit_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    BackgroundRun* run_ = nullptr;
};

}  // namespace trellon
