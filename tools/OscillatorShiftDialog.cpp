#include "OscillatorShiftDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "CommandError.h"
#include "CrystalTable.h"
#include "CrystalWindowParts.h"
#include "NumberText.h"
#include "OscillatorShift.h"
#include "PhraseText.h"
#include "texts/CrystalWindowTexts.h"
#include "texts/FailureTexts.h"

namespace trellon {

namespace {

// The field's name for finding it and its English hint, by Field.
constexpr const char* kFieldNames[] = {"ShiftName", "ShiftF1", "ShiftF2", "ShiftCl1",
                                       "ShiftCl2",  "ShiftC0", "ShiftRm"};
constexpr const char* kFieldHints[] = {
    "The crystal's name in the batch",
    "The frequency the oscillator runs at with the load CL1, kHz",
    "The frequency the oscillator runs at with the load CL2, kHz",
    "The first effective load capacitance in series with the crystal, strays included, pF",
    "The second effective load capacitance, at least 5 % away from the first (with C0), pF",
    "The crystal's holder capacitance, measured or typed, pF",
    "The crystal's motional resistance, found by substitution, ohm"};

}  // namespace

OscillatorShiftDialog::OscillatorShiftDialog(CrystalTable& table, const CrystalBatchHooks& hooks,
                                             std::function<bool()> batchChecked,
                                             char decimalSeparator, QWidget* parent)
    : QDialog(parent),
      table_(table),
      hooks_(hooks),
      batchChecked_(std::move(batchChecked)),
      decimalSeparator_(decimalSeparator) {
    setObjectName(QStringLiteral("OscillatorShiftDialog"));
    setWindowTitle(QString::fromUtf8(texts::kShiftTitle));
    auto* explanation = new QLabel(QString::fromUtf8(texts::kShiftExplanation), this);
    explanation->setWordWrap(true);
    auto* form = new QFormLayout;
    // Room for a counter's digits in the frequencies.
    const int width = fontMetrics().horizontalAdvance(QStringLiteral("100000,000000000__"));
    for (int f = 0; f < kFieldCount; ++f) {
        fields_[f] = new QLineEdit(this);
        fields_[f]->setObjectName(QString::fromLatin1(kFieldNames[f]));
        fields_[f]->setToolTip(QString::fromLatin1(kFieldHints[f]));
        fields_[f]->setMinimumWidth(width);
        form->addRow(QString::fromUtf8(texts::kShiftFields[f]), fields_[f]);
    }
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* add = crystalToolButton(
        this, "AddShiftCrystal", texts::kShiftAdd,
        "Work out the crystal from the two oscillator frequencies and add it to the batch");
    add->setDefault(true);
    buttons->addButton(add, QDialogButtonBox::ActionRole);
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    close->setText(QString::fromUtf8(texts::kShiftClose));
    connect(add, &QPushButton::clicked, this, &OscillatorShiftDialog::addClick);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* column = new QVBoxLayout(this);
    column->addWidget(explanation);
    column->addLayout(form);
    column->addWidget(buttons);
    // A few lines of explanation, not a narrow column of them.
    explanation->setMinimumWidth(fontMetrics().horizontalAdvance(QString(56, QLatin1Char('x'))));
}

void OscillatorShiftDialog::addClick() {
    const QString name = fields_[kName]->text().trimmed();
    if (name.isEmpty() || table_.names().count(name.toStdString()) != 0) {
        hooks_.showWarning(QString::fromUtf8(texts::kShiftNameTaken));
        return;
    }
    std::array<double, kFieldCount> values{};
    for (int f = kF1; f < kFieldCount; ++f) {
        const QString typed = fields_[f]->text().trimmed();
        try {
            values[f] = TypedNumber(typed.toStdString(), decimalSeparator_);
        } catch (const CommandError&) {
            hooks_.showWarning(QString::fromUtf8(texts::kNotANumber)
                                   .arg(QString::fromUtf8(texts::kShiftFields[f]), typed));
            return;
        }
    }
    MeasuredCrystal crystal;
    try {
        crystal = crystalOfOscillatorShift(
            {values[kF1], values[kF2], values[kCl1], values[kCl2], values[kC0], values[kRm]},
            name.toStdString());
    } catch (const PhrasedError& e) {
        hooks_.showWarning(QString::fromStdString(windowText(e.phrases())));
        return;
    }
    // Rows typed by hand are checked first, as a file's crystals are before they are added.
    if (!batchChecked_()) {
        return;
    }
    table_.appendCrystal(crystal);
    batchChecked_();
    for (const Field f : {kName, kF1, kF2, kC0, kRm}) {
        fields_[f]->clear();
    }
    fields_[kName]->setFocus();
}

}  // namespace trellon
