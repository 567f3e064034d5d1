#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "CalculatedDesign.h"
#include "CrystalBatch.h"
#include "CrystalChooser.h"
#include "CrystalFit.h"
#include "CrystalSweepFit.h"

class QLabel;
class QLayout;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace trellon {

class BackgroundRun;

// What the batch window needs from the window that owns it.
struct CrystalBatchHooks {
    std::function<void(const QString& text)> showWarning;
    std::function<void(const QString& text)> showError;
    // The chosen file, or an empty text when the user cancels.
    std::function<QString(const QString& filters)> openFileName;
    std::function<QString(const QString& filters)> saveFileName;
    // The chosen files, or none when the user cancels.
    std::function<QStringList(const QString& filters)> openFileNames;
    // The design of the last completed calculation; nothing before the first.
    std::function<std::shared_ptr<const CalculatedDesign>()> calculatedDesign;
    // Draws and reports the filter built with these crystals, ZQ1 first.
    std::function<void(const CalculatedDesign& design,
                       const std::vector<MeasuredCrystal>& crystals)>
        showBuilt;
    // Draws a fitted crystal's measured |S21| and its fitted model's, in dB over the sweep's
    // frequencies in Hz.
    std::function<void(const QString& name, const std::vector<double>& frequencyHz,
                       std::vector<double> measuredDb, std::vector<double> fittedDb)>
        showSweepFit;
};

// A crystal fitted from a sweep file: the sweep and the fixture it was fitted in, and the fit.
// The window keeps them for showing the fit; the project file holds only the crystal.
struct FittedSweep {
    std::vector<double> frequencyHz;
    std::vector<Complex> s21;
    CrystalFixture fixture;
    CrystalFitResult fit;
};

// The crystals a builder has measured, typed into a table, imported from CSV or fitted to VNA
// sweeps, and which of them stand in the filter's positions: placed by hand or chosen by the
// program. The choice and the fit run in the background; the window stays usable and Cancel
// keeps the previous choice. Fitted crystals show their Q and fit residual, and on request their
// measured curve with the fitted one on the chart.
class CrystalBatchWindow : public QWidget {
    Q_OBJECT

public:
    CrystalBatchWindow(char decimalSeparator, CrystalBatchHooks hooks, QWidget* parent = nullptr);
    ~CrystalBatchWindow() override;

    // The table as a batch; a value that is not a number or out of range, an empty or repeated
    // name gives one warning naming the row, and nothing.
    std::optional<CrystalBatch> checkedBatch();
    void setBatch(const CrystalBatch& batch);
    // The names of the crystals in ZQ1, ZQ2, ...; empty when none are placed.
    const std::vector<std::string>& placement() const { return placement_; }
    void setPlacement(std::vector<std::string> names);
    // The placed crystals for a filter of `count` crystals, ZQ1 first; none when nothing is
    // placed for that many. Nothing, after a warning, when the table is not a valid batch or
    // lacks a placed crystal.
    std::optional<std::vector<MeasuredCrystal>> placedCrystals(int count);
    const std::optional<CrystalChoice>& lastChoice() const { return choice_; }
    bool choosing() const;
    bool fitting() const;
    // The sweep and fit of the crystal in this row, or nothing when it was not fitted here.
    const FittedSweep* fittedSweep(int row) const;

public slots:
    void addRowClick();
    void removeRowsClick();
    void importClick();
    void saveClick();
    // The selected crystals in table order, or the first n when none are selected.
    void placeClick();
    void showBuiltClick();
    void chooseClick();
    void applyChoiceClick();
    // Fits a crystal to each chosen Touchstone file and adds the fitted ones to the table.
    void fitSweepsClick();
    // Draws the selected fitted crystal's measured and fitted curves.
    void showFitClick();

private:
    void buildControls();
    QPushButton* addButton(const char* name, const char* caption, const char* hint);
    void appendRow(const MeasuredCrystal& crystal);
    void showPlacement();
    void showChoice();
    void choiceEnded(const std::optional<CrystalChoice>& choice, const CrystalBatch& batch,
                     bool exhaustive, const std::string& failure);
    std::optional<std::vector<MeasuredCrystal>> placedCrystals(const CrystalBatch& batch);
    QLayout* buildFitControls();
    std::optional<FixtureChoice> typedFixture();
    std::set<std::string> tableNames() const;
    void addFitted(std::vector<SweepFileOutcome>& outcomes);

    char decimalSeparator_;
    CrystalBatchHooks hooks_;
    QTableWidget* table_ = nullptr;
    QLabel* placementLabel_ = nullptr;
    QLabel* choiceLabel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    BackgroundRun* run_ = nullptr;
    QLineEdit* fixtureOhmEdit_ = nullptr;
    QLineEdit* fixtureLossEdit_ = nullptr;
    QProgressBar* fitProgress_ = nullptr;
    QPushButton* fitCancelButton_ = nullptr;
    BackgroundRun* fitRun_ = nullptr;
    // By the id the row's name cell holds; a removed or replaced row takes its sweep along.
    std::map<int, FittedSweep> fittedSweeps_;
    int nextFitId_ = 1;

    std::vector<std::string> placement_;
    std::optional<CrystalChoice> choice_;
    CrystalBatch choiceBatch_;  // the batch the choice was made from
};

}  // namespace trellon
