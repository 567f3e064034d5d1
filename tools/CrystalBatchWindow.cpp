#include "CrystalBatchWindow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include "AtOnceWriter.h"
#include "Catalogue.h"
#include "CommandError.h"
#include "CrystalBatchCsv.h"
#include "CrystalChoicePanel.h"
#include "CrystalPositions.h"
#include "CrystalSweepFit.h"
#include "CrystalWindowParts.h"
#include "FileBytes.h"
#include "OscillatorShiftDialog.h"
#include "ProjectDocument.h"
#include "ReadLimits.h"
#include "SweepFitPanel.h"
#include "ToolWindowFrame.h"
#include "texts/CrystalWindowTexts.h"

namespace trellon {

CrystalBatchWindow::CrystalBatchWindow(ProjectDocument& document, char decimalSeparator,
                                       CrystalBatchHooks hooks, QWidget* parent)
    : QWidget(parent, Qt::Window), document_(document), hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("CrystalBatchWindow"));
    setWindowTitle(QString::fromUtf8(texts::kBatchWindowTitle));
    table_ = new CrystalTable(decimalSeparator, this);
    choice_ = new CrystalChoicePanel(
        document_, hooks_, [this] { return checkedBatch(); }, decimalSeparator, this);
    fit_ = new SweepFitPanel(*table_, hooks_, decimalSeparator, this);
    shift_ = new OscillatorShiftDialog(
        *table_, hooks_, [this] { return checkedBatch().has_value(); }, decimalSeparator, this);
    buildControls();
    bindToolWindowKeys(*this, choice_->findChild<QPushButton*>(QStringLiteral("ChooseCrystals")));
    table_->showBatch(document_.batch());
    subscriptions_ = {
        document_.subscribe(DocumentAspect::Batch,
                            [this] {
                                if (!handingBatch_) {
                                    table_->showBatch(document_.batch());
                                }
                            }),
        document_.subscribe(DocumentAspect::Placement, [this] { showPlacement(); }),
        document_.subscribe(DocumentAspect::Calculation, [this] { showPositions(); })};
    showPositions();
}

CrystalBatchWindow::~CrystalBatchWindow() {
    for (int id : subscriptions_) {
        document_.unsubscribe(id);
    }
}

void CrystalBatchWindow::buildControls() {
    auto* tableButtons = new QHBoxLayout;
    const struct {
        const char* name;
        const char* caption;
        const char* hint;
        void (CrystalBatchWindow::*handler)();
    } tableActions[] = {
        {"AddRow", texts::kAddCrystal, "Add a crystal", &CrystalBatchWindow::addRowClick},
        {"RemoveRows", texts::kRemoveCrystals, "Remove the selected crystals",
         &CrystalBatchWindow::removeRowsClick},
        {"ImportBatch", texts::kImportBatch, "Read a batch from a CSV file",
         &CrystalBatchWindow::importClick},
        {"SaveBatch", texts::kSaveBatch, "Save the batch as a CSV file",
         &CrystalBatchWindow::saveClick},
        {"FromOscillator", texts::kFromOscillator,
         "Add a crystal measured in an oscillator at two load capacitances",
         &CrystalBatchWindow::fromOscillatorClick},
    };
    for (const auto& action : tableActions) {
        QPushButton* button = crystalToolButton(this, action.name, action.caption, action.hint);
        connect(button, &QPushButton::clicked, this, action.handler);
        tableButtons->addWidget(button);
    }

    placementLabel_ = new QLabel(this);
    placementLabel_->setObjectName(QStringLiteral("PlacementLabel"));
    placementLabel_->setWordWrap(true);
    placementLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* placeButtons = new QHBoxLayout;
    QPushButton* place =
        crystalToolButton(this, "PlaceCrystals", texts::kPlaceCrystals,
                          "Place the selected crystals, or the first ones, in ZQ1, ZQ2, ...");
    QPushButton* built =
        crystalToolButton(this, "ShowBuilt", texts::kShowBuilt,
                          "Draw and report the filter built with the placed crystals");
    position_ = new QComboBox(this);
    position_->setObjectName(QStringLiteral("PlacePosition"));
    position_->setToolTip(QString::fromUtf8(texts::kPositionHint));
    QPushButton* put = crystalToolButton(this, "PutIntoPosition", texts::kPutIntoPosition,
                                         texts::kPutIntoPositionHint);
    connect(place, &QPushButton::clicked, this, &CrystalBatchWindow::placeClick);
    connect(put, &QPushButton::clicked, this, &CrystalBatchWindow::putIntoPositionClick);
    QPushButton* recentre = crystalToolButton(
        this, "RecentreDesign", texts::kRecentreDesign,
        "Set Fo, Ld, Rd and Cs to the medians of the placed crystals and calculate again");
    connect(built, &QPushButton::clicked, this, &CrystalBatchWindow::showBuiltClick);
    connect(recentre, &QPushButton::clicked, this, &CrystalBatchWindow::recentreClick);
    placeButtons->addWidget(place);
    placeButtons->addWidget(position_);
    placeButtons->addWidget(put);
    placeButtons->addWidget(built);
    placeButtons->addWidget(recentre);
    placeButtons->addStretch();

    auto* column = new QVBoxLayout(this);
    column->addWidget(table_, 1);
    column->addLayout(tableButtons);
    column->addWidget(fit_);
    column->addWidget(new QLabel(QString::fromUtf8(texts::kPlacementCaption), this));
    column->addWidget(placementLabel_);
    column->addLayout(placeButtons);
    column->addSpacing(8);
    column->addWidget(new QLabel(QString::fromUtf8(texts::kChoiceCaption), this));
    column->addWidget(choice_);
    // Room for the longest text, so that showing it does not squeeze the table.
    placementLabel_->setMinimumHeight(2 * fontMetrics().lineSpacing());
    placementLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    showPlacement();
}

std::optional<CrystalBatch> CrystalBatchWindow::checkedBatch() {
    std::optional<CrystalBatch> batch = table_->typedBatch(hooks_.showWarning);
    if (batch) {
        const QScopedValueRollback handing(handingBatch_, true);
        document_.setBatch(*batch);
    }
    return batch;
}

void CrystalBatchWindow::setBatch(const CrystalBatch& batch) {
    table_->showBatch(batch);
    const QScopedValueRollback handing(handingBatch_, true);
    document_.setBatch(batch);
}

const std::vector<std::string>& CrystalBatchWindow::placement() const {
    return document_.placement();
}

void CrystalBatchWindow::setPlacement(std::vector<std::string> names) {
    document_.setPlacement(names);
}

void CrystalBatchWindow::showPlacement() {
    const std::vector<std::string>& names = document_.placement();
    placementLabel_->setText(names.empty()
                                 ? QString::fromUtf8(texts::kNothingPlaced)
                                 : joinedPlacement(names, document_.calculatedDesign().get()));
}

void CrystalBatchWindow::showPositions() {
    const std::shared_ptr<const CalculatedDesign>& design = document_.calculatedDesign();
    const std::vector<std::string> positions =
        design ? crystalPositionNames(design->circuit) : std::vector<std::string>{};
    const int count = static_cast<int>(positions.size());
    const int chosen = position_->currentIndex();
    position_->clear();
    for (const std::string& position : positions) {
        position_->addItem(QString::fromStdString(position));
    }
    position_->setCurrentIndex(chosen < count ? std::max(chosen, 0) : 0);
}

// A placement naming crystals the file lacks is cleared: they are gone from the batch.
void CrystalBatchWindow::replaceBatch(const CrystalBatch& read) {
    setBatch(read);
    document_.batchSaved();
    if (!document_.placement().empty() && document_.placementOutsideBatch()) {
        document_.setPlacement({});
    }
}

const std::optional<CrystalChoice>& CrystalBatchWindow::lastChoice() const {
    return choice_->lastChoice();
}

bool CrystalBatchWindow::batchUnsaved() const {
    const std::optional<CrystalBatch> typed = table_->typedBatch([](const QString&) {});
    return typed ? *typed != document_.savedBatch() : table_->rowCount() > 0;
}

bool CrystalBatchWindow::choosing() const {
    return choice_->choosing();
}

void CrystalBatchWindow::chooseClick() {
    choice_->chooseClick();
}

bool CrystalBatchWindow::fitting() const {
    return fit_->fitting();
}

const FittedSweep* CrystalBatchWindow::fittedSweep(int row) const {
    return table_->fittedSweep(row);
}

void CrystalBatchWindow::addRowClick() {
    table_->addRow();
}

void CrystalBatchWindow::fromOscillatorClick() {
    shift_->show();
    shift_->raise();
    shift_->activateWindow();
}

void CrystalBatchWindow::removeRowsClick() {
    table_->removeSelectedRows();
}

// The whole file is read and checked before the table changes. A table that holds crystals is
// replaced or added to as the user chooses.
void CrystalBatchWindow::importClick() {
    const QString path = hooks_.openFileName(QString::fromUtf8(texts::kCrystalFileFilters));
    if (path.isEmpty()) {
        return;
    }
    CrystalBatch read;
    try {
        const std::string shownPath = path.toStdString();
        read = readCrystalBatchCsv(
            readFileBytes(
                {.path = shownPath, .what = "the crystal file", .limitBytes = kCrystalBatchLimit}),
            shownPath);
    } catch (const CommandError& e) {
        hooks_.showError(QString::fromStdString(e.what()));
        return;
    }
    if (table_->rowCount() == 0) {
        replaceBatch(read);
        return;
    }
    enum { kReplace, kAppend };
    switch (hooks_.choose(
        QString::fromUtf8(texts::kImportQuestion),
        {QString::fromUtf8(texts::kImportReplace), QString::fromUtf8(texts::kImportAppend)})) {
        case kReplace:
            replaceBatch(read);
            return;
        case kAppend:
            appendCrystals(read);
            return;
        default:
            return;
    }
}

// The rows already typed stay as they are, fitted ones with their sweeps.
void CrystalBatchWindow::appendCrystals(const CrystalBatch& read) {
    if (!checkedBatch()) {
        return;
    }
    std::set<std::string> taken = table_->names();
    for (MeasuredCrystal crystal : read.crystals) {
        crystal.name = uniqueCrystalName(crystal.name, taken);
        taken.insert(crystal.name);
        table_->appendCrystal(crystal);
    }
    checkedBatch();
}

void CrystalBatchWindow::saveClick() {
    const std::optional<CrystalBatch> batch = checkedBatch();
    if (!batch) {
        return;
    }
    QString path = hooks_.saveFileName(QString::fromUtf8(texts::kCrystalFileFilters));
    if (path.isEmpty()) {
        return;
    }
    if (!path.contains('.')) {
        path += QStringLiteral(".csv");
    }
    try {
        writeFileAtOnce(path.toStdString(), writeCrystalBatchCsv(*batch), "the crystal file");
        document_.batchSaved();
    } catch (const CommandError& e) {
        hooks_.showError(QString::fromStdString(e.what()));
    }
}

std::optional<CrystalBatchWindow::BatchToPlace> CrystalBatchWindow::batchToPlace() {
    std::optional<CrystalBatch> batch = checkedBatch();
    if (!batch) {
        return std::nullopt;
    }
    const std::shared_ptr<const CalculatedDesign> design =
        calculatedDesignOrWarning(document_, hooks_.showWarning);
    if (!design) {
        return std::nullopt;
    }
    return BatchToPlace{std::move(*batch), static_cast<std::size_t>(design->crystalCount())};
}

std::optional<std::vector<std::string>> CrystalBatchWindow::firstNames(const BatchToPlace& place) {
    if (place.batch.crystals.size() < place.count) {
        hooks_.showWarning(QString::fromUtf8(texts::kTooFewCrystals) +
                           QString::number(place.count));
        return std::nullopt;
    }
    std::vector<std::string> names;
    for (std::size_t i = 0; i < place.count; ++i) {
        names.push_back(place.batch.crystals[i].name);
    }
    return names;
}

void CrystalBatchWindow::placeClick() {
    const std::optional<BatchToPlace> place = batchToPlace();
    if (!place) {
        return;
    }
    const std::set<int> rows = table_->selectedRowSet();
    std::optional<std::vector<std::string>> names;
    if (rows.empty()) {
        names = firstNames(*place);
    } else {
        names.emplace();
        for (int row : rows) {
            if (const QString name = table_->rowName(row); !name.isEmpty()) {
                names->push_back(name.toStdString());
            }
        }
        if (names->size() != place->count) {
            hooks_.showWarning(QString::fromUtf8(texts::kChooseCrystalCount) +
                               QString::number(place->count));
            return;
        }
    }
    if (names) {
        document_.setPlacement(*names);
    }
}

void CrystalBatchWindow::putIntoPositionClick() {
    const std::optional<BatchToPlace> place = batchToPlace();
    if (!place) {
        return;
    }
    const std::set<int> rows = table_->selectedRowSet();
    const QString name = rows.size() == 1 ? table_->rowName(*rows.begin()) : QString();
    if (name.isEmpty()) {
        hooks_.showWarning(QString::fromUtf8(texts::kSelectOneCrystal));
        return;
    }
    std::optional<std::vector<std::string>> names = document_.placement();
    if (names->size() != place->count) {
        names = firstNames(*place);
        if (!names) {
            return;
        }
    }
    const auto position = static_cast<std::size_t>(std::max(position_->currentIndex(), 0));
    const std::string chosen = name.toStdString();
    const auto standing = std::find(names->begin(), names->end(), chosen);
    if (standing != names->end()) {
        *standing = (*names)[position];
    }
    (*names)[position] = chosen;
    document_.setPlacement(*names);
}

std::optional<std::vector<MeasuredCrystal>> CrystalBatchWindow::documentPlacedCrystals() {
    std::optional<std::vector<MeasuredCrystal>> crystals = document_.placedCrystals();
    if (!crystals) {
        hooks_.showWarning(QString::fromUtf8(texts::kNoPlacement));
    }
    return crystals;
}

std::optional<std::vector<MeasuredCrystal>> CrystalBatchWindow::crystalsOfDesign(
    std::shared_ptr<const CalculatedDesign>& design) {
    design = calculatedDesignOrWarning(document_, hooks_.showWarning);
    if (!design || !checkedBatch()) {
        return std::nullopt;
    }
    if (document_.placement().size() != static_cast<std::size_t>(design->crystalCount())) {
        hooks_.showWarning(QString::fromUtf8(texts::kNoPlacement));
        return std::nullopt;
    }
    return documentPlacedCrystals();
}

void CrystalBatchWindow::showBuiltClick() {
    std::shared_ptr<const CalculatedDesign> design;
    if (const auto crystals = crystalsOfDesign(design)) {
        hooks_.showBuilt(*design, *crystals);
    }
}

void CrystalBatchWindow::recentreClick() {
    std::shared_ptr<const CalculatedDesign> design;
    if (const auto crystals = crystalsOfDesign(design)) {
        hooks_.recentreOn(*crystals);
    }
}

std::optional<std::vector<MeasuredCrystal>> CrystalBatchWindow::placedCrystals(int count) {
    // A placement made for a filter of another size is not one for this filter.
    if (document_.placement().size() != static_cast<std::size_t>(count)) {
        return std::vector<MeasuredCrystal>{};
    }
    if (!checkedBatch()) {
        return std::nullopt;
    }
    return documentPlacedCrystals();
}

}  // namespace trellon
