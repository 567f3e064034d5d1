#include "CrystalTable.h"

#include <QHeaderView>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

#include "CommandError.h"
#include "NumberText.h"
#include "PhraseText.h"
#include "texts/CrystalWindowTexts.h"

namespace trellon {

namespace {

// The batch's own columns, then what a fit tells of the crystal (read only, not in the batch),
// then the crystal's spurious modes (read only, kept with the row).
enum Column { kName, kFs, kLm, kRm, kC0, kQ, kResidual, kRemarks, kSpurious, kColumns };
constexpr int kBatchColumns = kQ;

// A number set into a cell keeps its exact value beside the text shown, so that the batch comes
// back bit for bit unless the user retypes it.
constexpr int kExactValueRole = Qt::UserRole;
constexpr int kShownTextRole = Qt::UserRole + 1;
// On the name cell of a fitted crystal: the key of its sweep.
constexpr int kFitIdRole = Qt::UserRole + 2;
// On the spurious modes' cell: offset, Lm and Rm of each mode in turn.
constexpr int kSpuriousRole = Qt::UserRole + 3;

// The digits a value is shown with: what a measurement supports, Fs to 0.1 Hz and the others to
// four significant digits. The cell keeps the exact value, which the batch and its files use.
int shownDigits(int column, double value) {
    if (column != kFs || !(value >= 1)) {
        return 4;
    }
    return static_cast<int>(std::floor(std::log10(value))) + 1 + 4;
}

}  // namespace

CrystalTable::CrystalTable(char decimalSeparator, QWidget* parent)
    : QTableWidget(0, kColumns, parent), decimalSeparator_(decimalSeparator) {
    setObjectName(QStringLiteral("CrystalTable"));
    QStringList heads;
    for (const char* head : texts::kCrystalColumns) {
        heads << QString::fromUtf8(head);
    }
    setHorizontalHeaderLabels(heads);
    horizontalHeaderItem(kSpurious)->setToolTip(QString::fromUtf8(texts::kSpuriousColumnTip));
    horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setToolTip(QStringLiteral("Measured crystals: name, Fs, Lm, Rm and C0"));
    // Room for a value as typed to the digits a double holds, so that no value is cut.
    const int cell = fontMetrics().horizontalAdvance(QStringLiteral("9999.5119364")) +
                     fontMetrics().averageCharWidth() * 2;
    setMinimumSize(std::max(560, kColumns * cell + 4 * fontMetrics().averageCharWidth()), 200);
    connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* changed) {
        if (changed->column() < kBatchColumns) {
            showQ(changed->row());
        }
    });
}

void CrystalTable::appendCrystal(const MeasuredCrystal& crystal) {
    const int row = rowCount();
    insertRow(row);
    setItem(row, kName, new QTableWidgetItem(QString::fromStdString(crystal.name)));
    const double values[] = {crystal.fsKhz, crystal.lmMh, crystal.rmOhm, crystal.c0Pf};
    for (int column = kFs; column < kBatchColumns; ++column) {
        const double value = values[column - kFs];
        const QString text = QString::fromStdString(
            FormatGeneral(value, shownDigits(column, value), decimalSeparator_));
        auto* cell = new QTableWidgetItem(text);
        cell->setData(kExactValueRole, value);
        cell->setData(kShownTextRole, text);
        setItem(row, column, cell);
    }
    if (!crystal.spurious.empty()) {
        setItem(row, kSpurious, spuriousItem(crystal.spurious));
    }
    showQ(row);
}

QTableWidgetItem* CrystalTable::spuriousItem(const std::vector<SpuriousMode>& modes) const {
    QTableWidgetItem* cell = readOnlyItem(static_cast<double>(modes.size()), 1);
    QVariantList values;
    QStringList lines;
    const auto shown = [this](double value) {
        return QString::fromStdString(FormatGeneral(value, 4, decimalSeparator_));
    };
    for (const SpuriousMode& mode : modes) {
        values << mode.offsetKhz << mode.lmMh << mode.rmOhm;
        lines << QString::fromUtf8(texts::kSpuriousModeTip)
                     .arg(shown(mode.offsetKhz), shown(mode.lmMh), shown(mode.rmOhm));
    }
    cell->setData(kSpuriousRole, values);
    cell->setToolTip(lines.join(QLatin1Char('\n')));
    return cell;
}

std::vector<SpuriousMode> CrystalTable::spuriousModes(int row) const {
    std::vector<SpuriousMode> modes;
    if (const QTableWidgetItem* cell = item(row, kSpurious)) {
        const QVariantList values = cell->data(kSpuriousRole).toList();
        for (qsizetype i = 0; i + 2 < values.size(); i += 3) {
            modes.push_back(
                {values[i].toDouble(), values[i + 1].toDouble(), values[i + 2].toDouble()});
        }
    }
    return modes;
}

// Q follows the row's values as typed; a row that is not yet a crystal shows none.
void CrystalTable::showQ(int row) {
    MeasuredCrystal crystal;
    double* values[] = {&crystal.fsKhz, &crystal.lmMh, &crystal.rmOhm, &crystal.c0Pf};
    QString shown;
    try {
        for (int column = kFs; column < kBatchColumns; ++column) {
            *values[column - kFs] = cellValue(row, column);
        }
        if (crystalRangeProblem(crystal) == nullptr) {
            // A crystal's Q in whole units: the measurement supports no more digits.
            const double q = unloadedQ(crystal);
            shown = QString::fromStdString(FormatGeneral(q >= 1000 ? std::round(q) : q,
                                                         q >= 1000 ? 15 : 4, decimalSeparator_));
        }
    } catch (const CommandError&) {
    }
    const QSignalBlocker quiet(this);
    QTableWidgetItem* q = readOnlyItem(0, 1);
    q->setText(shown);
    setItem(row, kQ, q);
}

double CrystalTable::cellValue(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    const QString text = cell == nullptr ? QString() : cell->text().trimmed();
    return cell != nullptr && cell->data(kShownTextRole) == text
               ? cell->data(kExactValueRole).toDouble()
               : TypedNumber(text.toStdString(), decimalSeparator_);
}

QTableWidgetItem* CrystalTable::readOnlyItem(double value, int significant) const {
    auto* cell = new QTableWidgetItem(
        QString::fromStdString(FormatGeneral(value, significant, decimalSeparator_)));
    cell->setFlags(cell->flags() & ~Qt::ItemIsEditable);
    return cell;
}

void CrystalTable::appendFitted(const MeasuredCrystal& crystal, FittedSweep sweep) {
    appendCrystal(crystal);
    const int row = rowCount() - 1;
    const int id = nextFitId_++;
    item(row, kName)->setData(kFitIdRole, id);
    setItem(row, kResidual, readOnlyItem(sweep.fit.residual, 3));
    setItem(row, kRemarks, remarksItem(sweep.fit.warnings));
    fittedSweeps_[id] = std::move(sweep);
}

// The count of a fit's warnings with a mark, the reasons in the window's language as its tooltip.
QTableWidgetItem* CrystalTable::remarksItem(const std::vector<FitWarning>& warnings) const {
    auto* cell = new QTableWidgetItem();
    cell->setFlags(cell->flags() & ~Qt::ItemIsEditable);
    if (warnings.empty()) {
        cell->setToolTip(QString::fromUtf8(texts::kFitRemarksNone));
        return cell;
    }
    cell->setText(QString::fromUtf8(texts::kFitRemarksMark).arg(warnings.size()));
    QString reasons = QString::fromUtf8(texts::kFitRemarksHead);
    for (const FitWarning& warning : warnings) {
        reasons += QStringLiteral("\n• ") + QString::fromStdString(windowText({warning.reason}));
    }
    cell->setToolTip(reasons);
    return cell;
}

void CrystalTable::showBatch(const CrystalBatch& batch) {
    setRowCount(0);
    fittedSweeps_.clear();
    for (const MeasuredCrystal& crystal : batch.crystals) {
        appendCrystal(crystal);
    }
}

std::optional<CrystalBatch> CrystalTable::typedBatch(
    const std::function<void(const QString&)>& warn) const {
    CrystalBatch batch;
    std::set<std::string> taken;
    for (int row = 0; row < rowCount(); ++row) {
        auto cellText = [&](int column) {
            const QTableWidgetItem* cell = item(row, column);
            return cell == nullptr ? QString() : cell->text().trimmed();
        };
        bool empty = true;
        for (int column = 0; column < kBatchColumns; ++column) {
            empty = empty && cellText(column).isEmpty();
        }
        if (empty) {
            continue;
        }
        const QString where = QString::fromUtf8(texts::kTableRow).arg(row + 1);
        MeasuredCrystal crystal;
        crystal.name = cellText(kName).toStdString();
        if (crystal.name.empty() || !taken.insert(crystal.name).second) {
            warn(where + QString::fromUtf8(texts::kBadCrystalName));
            return std::nullopt;
        }
        double* values[] = {&crystal.fsKhz, &crystal.lmMh, &crystal.rmOhm, &crystal.c0Pf};
        for (int column = kFs; column < kBatchColumns; ++column) {
            try {
                *values[column - kFs] = cellValue(row, column);
            } catch (const CommandError& e) {
                warn(where + QString::fromStdString(e.what()));
                return std::nullopt;
            }
        }
        crystal.spurious = spuriousModes(row);
        if (const PhraseTemplate* problem = crystalRangeProblem(crystal)) {
            warn(where + QString::fromStdString(windowText({{problem, {}}})));
            return std::nullopt;
        }
        batch.crystals.push_back(std::move(crystal));
    }
    return batch;
}

const FittedSweep* CrystalTable::fittedSweep(int row) const {
    const QTableWidgetItem* name = item(row, kName);
    if (name == nullptr) {
        return nullptr;
    }
    const auto found = fittedSweeps_.find(name->data(kFitIdRole).toInt());
    return found == fittedSweeps_.end() ? nullptr : &found->second;
}

QString CrystalTable::rowName(int row) const {
    const QTableWidgetItem* name = item(row, kName);
    return name == nullptr ? QString() : name->text().trimmed();
}

std::set<std::string> CrystalTable::names() const {
    std::set<std::string> all;
    for (int row = 0; row < rowCount(); ++row) {
        if (item(row, kName) != nullptr) {
            all.insert(rowName(row).toStdString());
        }
    }
    return all;
}

std::set<int> CrystalTable::selectedRowSet() const {
    std::set<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) {
        rows.insert(index.row());
    }
    return rows;
}

void CrystalTable::addRow() {
    const int row = rowCount();
    insertRow(row);
    setCurrentCell(row, kName);
    editItem(item(row, kName));
}

void CrystalTable::removeSelectedRows() {
    std::set<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
        rows.insert(index.row());
    }
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        if (const QTableWidgetItem* name = item(*row, kName)) {
            fittedSweeps_.erase(name->data(kFitIdRole).toInt());
        }
        removeRow(*row);
    }
}

}  // namespace trellon
