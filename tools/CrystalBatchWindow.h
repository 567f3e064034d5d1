#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "CrystalBatch.h"
#include "CrystalBatchHooks.h"
#include "CrystalChooser.h"
#include "CrystalTable.h"

class QComboBox;
class QLabel;

namespace trellon {

class CrystalChoicePanel;
class OscillatorShiftDialog;
class ProjectDocument;
class SweepFitPanel;

// The crystals a builder has measured, typed into a table, imported from CSV, fitted to VNA
// sweeps or worked out from an oscillator's frequencies at two loads, and which of them stand in
// the filter's positions: placed by hand or chosen by the program. The batch and the placement are
// the document's: the table is where the batch is typed, and what it holds becomes the document's
// batch whenever a command takes it.
class CrystalBatchWindow : public QWidget {
    Q_OBJECT

public:
    CrystalBatchWindow(ProjectDocument& document, char decimalSeparator, CrystalBatchHooks hooks,
                       QWidget* parent = nullptr);
    ~CrystalBatchWindow() override;

    // The table as a batch, which the document then holds; a value that is not a number or out
    // of range, an empty or repeated name gives one warning naming the row, and nothing.
    std::optional<CrystalBatch> checkedBatch();
    // The checked batch and how many crystals the calculated design places, or nothing after a
    // warning.
    struct BatchToPlace {
        CrystalBatch batch;
        std::size_t count = 0;
    };
    std::optional<BatchToPlace> batchToPlace();
    // The names of the batch's first place.count crystals, or nothing after a warning that it
    // holds too few.
    std::optional<std::vector<std::string>> firstNames(const BatchToPlace& place);
    void setBatch(const CrystalBatch& batch);
    // The names of the crystals in ZQ1, ZQ2, ...; empty when none are placed.
    const std::vector<std::string>& placement() const;
    void setPlacement(std::vector<std::string> names);
    // The placed crystals for a filter of `count` crystals, ZQ1 first; none when nothing is
    // placed for that many. Nothing, after a warning, when the table is not a valid batch or
    // lacks a placed crystal.
    std::optional<std::vector<MeasuredCrystal>> placedCrystals(int count);
    const std::optional<CrystalChoice>& lastChoice() const;
    bool choosing() const;
    // True when the table holds crystals that were not read from or written to a file as they
    // stand: typed, fitted, appended or edited since.
    bool batchUnsaved() const;
    bool fitting() const;
    // The sweep and fit of the crystal in this row, or nothing when it was not fitted here.
    const FittedSweep* fittedSweep(int row) const;

public slots:
    void addRowClick();
    void removeRowsClick();
    void importClick();
    void saveClick();
    // The form of a crystal measured in an oscillator, kept open beside the window.
    void fromOscillatorClick();
    // The selected crystals in table order, or the first n when none are selected.
    void placeClick();
    // The selected crystal into the chosen position; the one standing there takes its old
    // position, or leaves the placement when it had none. An incomplete placement is first
    // filled with the batch's first crystals, as "Разместить" does.
    void putIntoPositionClick();
    void showBuiltClick();
    void recentreClick();
    void chooseClick();

private:
    void buildControls();
    void showPlacement();
    // The positions of the calculated filter, ZQ1 first.
    void showPositions();
    // The file's crystals in place of the table's; the placement is kept while the file holds
    // every placed crystal, and cleared otherwise.
    void replaceBatch(const CrystalBatch& read);
    // The file's crystals after the table's, each name already taken suffixed -2, -3, ...
    void appendCrystals(const CrystalBatch& read);
    // The document's placed crystals, or nothing after a warning.
    std::optional<std::vector<MeasuredCrystal>> documentPlacedCrystals();
    // The placed crystals of the last calculated design, which it sets; nothing after a warning.
    std::optional<std::vector<MeasuredCrystal>> crystalsOfDesign(
        std::shared_ptr<const CalculatedDesign>& design);

    ProjectDocument& document_;
    CrystalBatchHooks hooks_;
    std::vector<int> subscriptions_;
    // While the window itself hands the document a batch, which the table already shows.
    bool handingBatch_ = false;
    CrystalTable* table_ = nullptr;
    QLabel* placementLabel_ = nullptr;
    QComboBox* position_ = nullptr;
    CrystalChoicePanel* choice_ = nullptr;
    SweepFitPanel* fit_ = nullptr;
    OscillatorShiftDialog* shift_ = nullptr;
};

}  // namespace trellon
