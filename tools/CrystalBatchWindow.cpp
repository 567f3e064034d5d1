#include "CrystalBatchWindow.h"

#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

#include "AtOnceWriter.h"
#include "BackgroundRun.h"
#include "Catalogue.h"
#include "CommandError.h"
#include "CrystalBatchCsv.h"
#include "CrystalTexts.h"
#include "NumberText.h"

namespace trellon {

namespace {

// The batch's own columns, then what a fit tells of the crystal (read only, not in the batch).
enum Column { kName, kFs, kLm, kRm, kC0, kQ, kResidual, kColumns };
constexpr int kBatchColumns = kQ;

// A number set into a cell keeps its exact value beside the text shown, so that the batch comes
// back bit for bit unless the user retypes it.
constexpr int kExactValueRole = Qt::UserRole;
constexpr int kShownTextRole = Qt::UserRole + 1;
// On the name cell of a fitted crystal: the key of its sweep.
constexpr int kFitIdRole = Qt::UserRole + 2;

// A zero in the sweep leaves a gap in the curve rather than stretching the axis without end.
std::vector<double> levelsDb(const std::vector<Complex>& s21) {
    std::vector<double> db;
    db.reserve(s21.size());
    for (const Complex& s : s21) {
        const double level = 20 * std::log10(std::hypot(s.re, s.im));
        db.push_back(std::isfinite(level) ? level : std::numeric_limits<double>::quiet_NaN());
    }
    return db;
}

QString joinedNames(const std::vector<std::string>& names) {
    QString text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        text += (i == 0 ? QString() : QStringLiteral("; ")) + QStringLiteral("ZQ%1=").arg(i + 1) +
                QString::fromStdString(names[i]);
    }
    return text;
}

}  // namespace

CrystalBatchWindow::CrystalBatchWindow(char decimalSeparator, CrystalBatchHooks hooks,
                                       QWidget* parent)
    : QWidget(parent, Qt::Window), decimalSeparator_(decimalSeparator), hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("CrystalBatchWindow"));
    setWindowTitle(QString::fromUtf8(texts::kBatchWindowTitle));
    buildControls();
    run_ = new BackgroundRun(progress_, cancelButton_, this);
    fitRun_ = new BackgroundRun(fitProgress_, fitCancelButton_, this);
}

CrystalBatchWindow::~CrystalBatchWindow() = default;

QPushButton* CrystalBatchWindow::addButton(const char* name, const char* caption,
                                           const char* hint) {
    auto* button = new QPushButton(QString::fromUtf8(caption), this);
    button->setObjectName(QString::fromUtf8(name));
    button->setToolTip(QString::fromUtf8(hint));
    return button;
}

void CrystalBatchWindow::buildControls() {
    table_ = new QTableWidget(0, kColumns, this);
    table_->setObjectName(QStringLiteral("CrystalTable"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Имя"), QStringLiteral("Fs, кГц"),
                                       QStringLiteral("Lm, мГн"), QStringLiteral("Rm, Ом"),
                                       QStringLiteral("C0, пФ"), QStringLiteral("Q"),
                                       QStringLiteral("Невязка")});
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setToolTip(QStringLiteral("Measured crystals: name, Fs, Lm, Rm and C0"));
    // Room for the 15 digits a value is shown with, so that fitted values are not cut.
    const int cell = fontMetrics().horizontalAdvance(QStringLiteral("9999.51193638750")) +
                     fontMetrics().averageCharWidth() * 2;
    table_->setMinimumSize(std::max(560, kColumns * cell + 4 * fontMetrics().averageCharWidth()),
                           300);

    auto* tableButtons = new QHBoxLayout;
    const struct {
        const char* name;
        const char* caption;
        const char* hint;
        void (CrystalBatchWindow::*handler)();
    } tableActions[] = {
        {"AddRow", "Добавить", "Add a crystal", &CrystalBatchWindow::addRowClick},
        {"RemoveRows", "Удалить", "Remove the selected crystals",
         &CrystalBatchWindow::removeRowsClick},
        {"ImportBatch", "Импорт CSV...", "Read a batch from a CSV file",
         &CrystalBatchWindow::importClick},
        {"SaveBatch", "Сохранить CSV...", "Save the batch as a CSV file",
         &CrystalBatchWindow::saveClick},
    };
    for (const auto& action : tableActions) {
        QPushButton* button = addButton(action.name, action.caption, action.hint);
        connect(button, &QPushButton::clicked, this, action.handler);
        tableButtons->addWidget(button);
    }

    placementLabel_ = new QLabel(this);
    placementLabel_->setObjectName(QStringLiteral("PlacementLabel"));
    placementLabel_->setWordWrap(true);
    placementLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* placeButtons = new QHBoxLayout;
    QPushButton* place =
        addButton("PlaceCrystals", "Разместить",
                  "Place the selected crystals, or the first ones, in ZQ1, ZQ2, ...");
    QPushButton* built = addButton("ShowBuilt", "Показать собранный фильтр",
                                   "Draw and report the filter built with the placed crystals");
    connect(place, &QPushButton::clicked, this, &CrystalBatchWindow::placeClick);
    connect(built, &QPushButton::clicked, this, &CrystalBatchWindow::showBuiltClick);
    placeButtons->addWidget(place);
    placeButtons->addWidget(built);
    placeButtons->addStretch();

    auto* measure = new QLabel(QString::fromUtf8(texts::kChoiceMeasure), this);
    measure->setWordWrap(true);
    choiceLabel_ = new QLabel(this);
    choiceLabel_->setObjectName(QStringLiteral("ChoiceLabel"));
    choiceLabel_->setWordWrap(true);
    choiceLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("ChoiceProgress"));
    auto* choiceButtons = new QHBoxLayout;
    QPushButton* choose = addButton("ChooseCrystals", "Подобрать",
                                    "Choose the crystals and their positions from the batch");
    cancelButton_ = addButton("CancelChoice", "Отмена", "Stop the choice; the previous one stays");
    QPushButton* apply = addButton("ApplyChoice", "Применить подбор",
                                   "Place the chosen crystals in their positions");
    connect(choose, &QPushButton::clicked, this, &CrystalBatchWindow::chooseClick);
    connect(apply, &QPushButton::clicked, this, &CrystalBatchWindow::applyChoiceClick);
    choiceButtons->addWidget(choose);
    choiceButtons->addWidget(progress_, 1);
    choiceButtons->addWidget(cancelButton_);
    choiceButtons->addWidget(apply);

    auto* column = new QVBoxLayout(this);
    column->addWidget(table_, 1);
    column->addLayout(tableButtons);
    column->addLayout(buildFitControls());
    column->addWidget(new QLabel(QStringLiteral("Расстановка:"), this));
    column->addWidget(placementLabel_);
    column->addLayout(placeButtons);
    column->addSpacing(8);
    column->addWidget(new QLabel(QStringLiteral("Подбор из партии:"), this));
    column->addWidget(measure);
    column->addLayout(choiceButtons);
    column->addWidget(choiceLabel_);
    // Room for the longest texts, so that showing them does not squeeze the table.
    const int line = fontMetrics().lineSpacing();
    placementLabel_->setMinimumHeight(2 * line);
    choiceLabel_->setMinimumHeight(5 * line);
    choiceLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placementLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    showPlacement();
}

// The fixture fields, the fit's progress and the button that shows a fitted crystal's curves.
QLayout* CrystalBatchWindow::buildFitControls() {
    QPushButton* fit = addButton("FitSweeps", "Из файлов Touchstone...",
                                 "Fit a crystal to each chosen VNA sweep (.s2p) and add them");
    QPushButton* show = addButton("ShowFit", "Показать подгонку",
                                  "Draw the selected fitted crystal's measured and fitted |S21|");
    fitCancelButton_ =
        addButton("CancelFit", "Отмена", "Stop fitting; the crystals fitted so far are added");
    connect(fit, &QPushButton::clicked, this, &CrystalBatchWindow::fitSweepsClick);
    connect(show, &QPushButton::clicked, this, &CrystalBatchWindow::showFitClick);
    fixtureOhmEdit_ = new QLineEdit(this);
    fixtureOhmEdit_->setObjectName(QStringLiteral("FixtureOhm"));
    fixtureOhmEdit_->setPlaceholderText(QStringLiteral("из файла"));
    fixtureOhmEdit_->setToolTip(
        QStringLiteral("The resistance each fixture port presents to the crystal, ohm; empty: "
                       "the file's reference resistance"));
    fixtureLossEdit_ = new QLineEdit(QStringLiteral("0"), this);
    fixtureLossEdit_->setObjectName(QStringLiteral("FixtureLoss"));
    fixtureLossEdit_->setToolTip(QStringLiteral("The fixture's own loss, flat over the sweep, dB"));
    const int digits = fontMetrics().horizontalAdvance(QStringLiteral("из файла__"));
    fixtureOhmEdit_->setFixedWidth(digits);
    fixtureLossEdit_->setFixedWidth(digits);
    fitProgress_ = new QProgressBar(this);
    fitProgress_->setObjectName(QStringLiteral("FitProgress"));

    auto* fields = new QHBoxLayout;
    fields->addWidget(fit);
    fields->addWidget(new QLabel(QStringLiteral("Оснастка, Ом:"), this));
    fields->addWidget(fixtureOhmEdit_);
    fields->addWidget(new QLabel(QStringLiteral("потери, дБ:"), this));
    fields->addWidget(fixtureLossEdit_);
    fields->addWidget(fitProgress_, 1);
    fields->addWidget(fitCancelButton_);
    fields->addWidget(show);
    return fields;
}

void CrystalBatchWindow::appendRow(const MeasuredCrystal& crystal) {
    const int row = table_->rowCount();
    table_->insertRow(row);
    table_->setItem(row, kName, new QTableWidgetItem(QString::fromStdString(crystal.name)));
    const double values[] = {crystal.fsKhz, crystal.lmMh, crystal.rmOhm, crystal.c0Pf};
    for (int column = kFs; column < kBatchColumns; ++column) {
        const double value = values[column - kFs];
        const QString text = QString::fromStdString(FormatGeneral(value, 15, decimalSeparator_));
        auto* item = new QTableWidgetItem(text);
        item->setData(kExactValueRole, value);
        item->setData(kShownTextRole, text);
        table_->setItem(row, column, item);
    }
}

void CrystalBatchWindow::setBatch(const CrystalBatch& batch) {
    table_->setRowCount(0);
    fittedSweeps_.clear();
    for (const MeasuredCrystal& crystal : batch.crystals) {
        appendRow(crystal);
    }
}

std::optional<CrystalBatch> CrystalBatchWindow::checkedBatch() {
    CrystalBatch batch;
    std::set<std::string> names;
    for (int row = 0; row < table_->rowCount(); ++row) {
        auto cellText = [&](int column) {
            const QTableWidgetItem* item = table_->item(row, column);
            return item == nullptr ? QString() : item->text().trimmed();
        };
        bool empty = true;
        for (int column = 0; column < kBatchColumns; ++column) {
            empty = empty && cellText(column).isEmpty();
        }
        if (empty) {
            continue;
        }
        const QString where = QStringLiteral("Строка %1: ").arg(row + 1);
        MeasuredCrystal crystal;
        crystal.name = cellText(kName).toStdString();
        if (crystal.name.empty() || !names.insert(crystal.name).second) {
            hooks_.showWarning(where + QStringLiteral("имя кварца пусто или повторяется."));
            return std::nullopt;
        }
        double* values[] = {&crystal.fsKhz, &crystal.lmMh, &crystal.rmOhm, &crystal.c0Pf};
        for (int column = kFs; column < kBatchColumns; ++column) {
            const QTableWidgetItem* item = table_->item(row, column);
            const QString text = cellText(column);
            try {
                *values[column - kFs] = item != nullptr && item->data(kShownTextRole) == text
                                            ? item->data(kExactValueRole).toDouble()
                                            : TypedNumber(text.toStdString(), decimalSeparator_);
            } catch (const CommandError& e) {
                hooks_.showWarning(where + QString::fromStdString(e.what()));
                return std::nullopt;
            }
        }
        if (const std::string problem = crystalRangeProblem(crystal); !problem.empty()) {
            hooks_.showWarning(where + QString::fromStdString(problem));
            return std::nullopt;
        }
        batch.crystals.push_back(std::move(crystal));
    }
    return batch;
}

void CrystalBatchWindow::setPlacement(std::vector<std::string> names) {
    placement_ = std::move(names);
    showPlacement();
}

void CrystalBatchWindow::showPlacement() {
    placementLabel_->setText(placement_.empty() ? QStringLiteral("—") : joinedNames(placement_));
}

void CrystalBatchWindow::addRowClick() {
    const int row = table_->rowCount();
    table_->insertRow(row);
    table_->setCurrentCell(row, kName);
    table_->editItem(table_->item(row, kName));
}

void CrystalBatchWindow::removeRowsClick() {
    std::set<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedIndexes()) {
        rows.insert(index.row());
    }
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        if (const QTableWidgetItem* name = table_->item(*row, kName)) {
            fittedSweeps_.erase(name->data(kFitIdRole).toInt());
        }
        table_->removeRow(*row);
    }
}

// The whole file is read and checked before the table changes.
void CrystalBatchWindow::importClick() {
    const QString path = hooks_.openFileName(QString::fromUtf8(texts::kCrystalFileFilters));
    if (path.isEmpty()) {
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        hooks_.showError(
            QStringLiteral("Cannot open the crystal file '%1': %2").arg(path, file.errorString()));
        return;
    }
    const QByteArray bytes = file.readAll();
    try {
        setBatch(readCrystalBatchCsv(std::string_view(bytes.constData(), std::size_t(bytes.size())),
                                     path.toStdString()));
    } catch (const CommandError& e) {
        hooks_.showError(QString::fromStdString(e.what()));
    }
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
    } catch (const CommandError& e) {
        hooks_.showError(QString::fromStdString(e.what()));
    }
}

void CrystalBatchWindow::placeClick() {
    const std::shared_ptr<const CalculatedDesign> design = hooks_.calculatedDesign();
    const std::optional<CrystalBatch> batch = checkedBatch();
    if (!batch) {
        return;
    }
    if (!design) {
        hooks_.showWarning(QString::fromUtf8(texts::kNoCalculatedDesign));
        return;
    }
    const auto n = static_cast<std::size_t>(design->crystalCount());
    std::set<int> rows;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
        rows.insert(index.row());
    }
    std::vector<std::string> names;
    if (rows.empty()) {
        if (batch->crystals.size() < n) {
            hooks_.showWarning(QString::fromUtf8(texts::kTooFewCrystals) + QString::number(n));
            return;
        }
        for (std::size_t i = 0; i < n; ++i) {
            names.push_back(batch->crystals[i].name);
        }
    } else {
        for (int row : rows) {
            const QTableWidgetItem* item = table_->item(row, kName);
            if (item != nullptr && !item->text().trimmed().isEmpty()) {
                names.push_back(item->text().trimmed().toStdString());
            }
        }
        if (names.size() != n) {
            hooks_.showWarning(QString::fromUtf8(texts::kChooseCrystalCount) + QString::number(n));
            return;
        }
    }
    setPlacement(std::move(names));
}

std::optional<std::vector<MeasuredCrystal>> CrystalBatchWindow::placedCrystals(
    const CrystalBatch& batch) {
    std::vector<MeasuredCrystal> crystals;
    for (const std::string& name : placement_) {
        auto found = std::find_if(batch.crystals.begin(), batch.crystals.end(),
                                  [&](const MeasuredCrystal& c) { return c.name == name; });
        if (found == batch.crystals.end()) {
            hooks_.showWarning(QString::fromUtf8(texts::kNoPlacement));
            return std::nullopt;
        }
        crystals.push_back(*found);
    }
    return crystals;
}

void CrystalBatchWindow::showBuiltClick() {
    const std::shared_ptr<const CalculatedDesign> design = hooks_.calculatedDesign();
    if (!design) {
        hooks_.showWarning(QString::fromUtf8(texts::kNoCalculatedDesign));
        return;
    }
    const std::optional<CrystalBatch> batch = checkedBatch();
    if (!batch) {
        return;
    }
    if (placement_.size() != static_cast<std::size_t>(design->crystalCount())) {
        hooks_.showWarning(QString::fromUtf8(texts::kNoPlacement));
        return;
    }
    if (const auto crystals = placedCrystals(*batch)) {
        hooks_.showBuilt(*design, *crystals);
    }
}

std::optional<std::vector<MeasuredCrystal>> CrystalBatchWindow::placedCrystals(int count) {
    // A placement made for a filter of another size is not one for this filter.
    if (placement_.size() != static_cast<std::size_t>(count)) {
        return std::vector<MeasuredCrystal>{};
    }
    const std::optional<CrystalBatch> batch = checkedBatch();
    if (!batch) {
        return std::nullopt;
    }
    return placedCrystals(*batch);
}

bool CrystalBatchWindow::choosing() const {
    return run_->running();
}

void CrystalBatchWindow::chooseClick() {
    if (run_->running()) {
        return;
    }
    const std::shared_ptr<const CalculatedDesign> design = hooks_.calculatedDesign();
    if (!design) {
        hooks_.showWarning(QString::fromUtf8(texts::kNoCalculatedDesign));
        return;
    }
    const std::optional<CrystalBatch> batch = checkedBatch();
    if (!batch) {
        return;
    }
    const int n = design->crystalCount();
    if (batch->crystals.size() < static_cast<std::size_t>(n)) {
        hooks_.showWarning(QString::fromUtf8(texts::kTooFewCrystals) + QString::number(n));
        return;
    }
    auto result = std::make_shared<std::optional<CrystalChoice>>();
    run_->start(
        [design, batch = *batch, result](const ProgressCallback& progress,
                                         std::atomic<bool>& cancel) {
            *result = ChooseCrystals(*design, batch, ChoiceSettings{}, progress, cancel);
        },
        [this, result, batch = *batch](bool, const std::string& failure) {
            if (!failure.empty()) {
                hooks_.showError(QString::fromStdString(failure));
            } else if (*result) {
                choice_ = *result;
                choiceBatch_ = batch;
                showChoice();
            }
        });
}

void CrystalBatchWindow::showChoice() {
    const CrystalChoice& c = *choice_;
    auto dB = [this](double value) {
        return QString::fromStdString(FormatGeneral(value, 4, decimalSeparator_)) +
               QStringLiteral(" дБ");
    };
    const QString search =
        c.exhaustive ? QStringLiteral("перебраны все расстановки.")
                     : QStringLiteral(
                           "не полный перебор: симметричные расстановки соседних по Fs "
                           "кварцев, затем перестановки и замены, пока мера уменьшается.");
    choiceLabel_->setText(joinedNames(placementNames(choiceBatch_, c.placement)) +
                          QStringLiteral("\nМера подбора: %1; простой выбор (наименьший разброс "
                                         "Fs): %2 (")
                              .arg(dB(c.measure), dB(c.naiveMeasure)) +
                          joinedNames(placementNames(choiceBatch_, c.naivePlacement)) +
                          QStringLiteral(").\nПоиск: ") + search);
}

void CrystalBatchWindow::applyChoiceClick() {
    if (!choice_) {
        hooks_.showWarning(QString::fromUtf8(texts::kNoChoiceToApply));
        return;
    }
    setPlacement(placementNames(choiceBatch_, choice_->placement));
}

bool CrystalBatchWindow::fitting() const {
    return fitRun_->running();
}

const FittedSweep* CrystalBatchWindow::fittedSweep(int row) const {
    const QTableWidgetItem* name = table_->item(row, kName);
    if (name == nullptr) {
        return nullptr;
    }
    const auto found = fittedSweeps_.find(name->data(kFitIdRole).toInt());
    return found == fittedSweeps_.end() ? nullptr : &found->second;
}

std::optional<FixtureChoice> CrystalBatchWindow::typedFixture() {
    FixtureChoice fixture;
    const std::string ohm = fixtureOhmEdit_->text().trimmed().toStdString();
    const std::string loss = fixtureLossEdit_->text().trimmed().toStdString();
    try {
        if (!ohm.empty()) {
            fixture.portOhm = TypedNumber(ohm, decimalSeparator_);
        }
        fixture.lossDb = loss.empty() ? 0 : TypedNumber(loss, decimalSeparator_);
    } catch (const CommandError& e) {
        hooks_.showWarning(QString::fromStdString(e.what()));
        return std::nullopt;
    }
    if (fixture.portOhm && !(*fixture.portOhm > 0 && std::isfinite(*fixture.portOhm))) {
        hooks_.showWarning(QString::fromUtf8(texts::kBadFixtureOhm));
        return std::nullopt;
    }
    if (!(fixture.lossDb >= 0 && fixture.lossDb <= 100)) {
        hooks_.showWarning(QString::fromUtf8(texts::kBadFixtureLoss));
        return std::nullopt;
    }
    return fixture;
}

std::set<std::string> CrystalBatchWindow::tableNames() const {
    std::set<std::string> names;
    for (int row = 0; row < table_->rowCount(); ++row) {
        if (const QTableWidgetItem* item = table_->item(row, kName)) {
            names.insert(item->text().trimmed().toStdString());
        }
    }
    return names;
}

void CrystalBatchWindow::fitSweepsClick() {
    if (fitRun_->running()) {
        return;
    }
    const std::optional<FixtureChoice> fixture = typedFixture();
    if (!fixture) {
        return;
    }
    const QStringList chosen = hooks_.openFileNames(QString::fromUtf8(texts::kSweepFileFilters));
    if (chosen.isEmpty()) {
        return;
    }
    std::vector<std::string> paths;
    for (const QString& path : chosen) {
        paths.push_back(QDir::toNativeSeparators(path).toStdString());
    }
    auto outcomes = std::make_shared<std::vector<SweepFileOutcome>>();
    fitRun_->start(
        [paths, fixture = *fixture, taken = tableNames(), outcomes](
            const ProgressCallback& progress, std::atomic<bool>& cancel) {
            *outcomes = fitCrystalSweepFiles(paths, fixture, taken, progress, &cancel);
        },
        [this, outcomes](bool, const std::string& failure) {
            if (!failure.empty()) {
                hooks_.showError(QString::fromStdString(failure));
            } else {
                addFitted(*outcomes);
            }
        });
}

// Stopped early, the crystals fitted so far are still added. The names are made unique again
// against the table as it is now, since it may have been edited during the fit.
void CrystalBatchWindow::addFitted(std::vector<SweepFileOutcome>& outcomes) {
    std::set<std::string> taken = tableNames();
    QStringList failures;
    for (SweepFileOutcome& outcome : outcomes) {
        if (!outcome.crystal) {
            failures << QString::fromStdString(outcome.message);
            continue;
        }
        MeasuredCrystal crystal = *outcome.crystal;
        crystal.name = uniqueCrystalName(crystal.name, taken);
        taken.insert(crystal.name);
        appendRow(crystal);
        const int row = table_->rowCount() - 1;
        const int id = nextFitId_++;
        table_->item(row, kName)->setData(kFitIdRole, id);
        auto readOnly = [this](double value, int significant) {
            auto* item = new QTableWidgetItem(
                QString::fromStdString(FormatGeneral(value, significant, decimalSeparator_)));
            item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            return item;
        };
        table_->setItem(row, kQ, readOnly(outcome.fit.q, 6));
        table_->setItem(row, kResidual, readOnly(outcome.fit.residual, 3));
        fittedSweeps_[id] = FittedSweep{std::move(outcome.sweep.frequencyHz),
                                        std::move(outcome.sweep.s21), outcome.fixture, outcome.fit};
    }
    if (!failures.isEmpty()) {
        hooks_.showError(QString::fromUtf8(texts::kFitFailedFiles) + QStringLiteral("\n") +
                         failures.join(QStringLiteral("\n")));
    }
}

void CrystalBatchWindow::showFitClick() {
    const int row = table_->currentRow();
    const FittedSweep* fitted = row < 0 ? nullptr : fittedSweep(row);
    if (fitted == nullptr) {
        hooks_.showWarning(QString::fromUtf8(texts::kNoFittedCrystal));
        return;
    }
    std::vector<Complex> model;
    model.reserve(fitted->frequencyHz.size());
    for (double f : fitted->frequencyHz) {
        model.push_back(crystalS21(fitted->fit.circuit, fitted->fixture, f));
    }
    hooks_.showSweepFit(table_->item(row, kName)->text().trimmed(), fitted->frequencyHz,
                        levelsDb(fitted->s21), levelsDb(model));
}

}  // namespace trellon
