#include "ExportDialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "SettingTables.h"

namespace trellon {

namespace {

constexpr double kLargestSide = 20000;

QDoubleSpinBox* sideBox(double value, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setDecimals(0);
    box->setRange(1, kLargestSide);
    box->setValue(value);
    return box;
}

QDialogButtonBox* okCancel(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

}  // namespace

ChartSizeDialog::ChartSizeDialog(const ChartImageSize& initial, QWidget* parent)
    : QDialog(parent),
      width_(sideBox(initial.width, this)),
      height_(sideBox(initial.height, this)),
      unit_(new QComboBox(this)) {
    setObjectName(QStringLiteral("ChartSizeDialog"));
    setWindowTitle(QStringLiteral("Размер графика"));
    width_->setObjectName(QStringLiteral("ChartWidth"));
    height_->setObjectName(QStringLiteral("ChartHeight"));
    unit_->setObjectName(QStringLiteral("ChartUnit"));
    unit_->addItems({QStringLiteral("пиксели"), QStringLiteral("мм")});
    unit_->setCurrentIndex(initial.millimetres ? 1 : 0);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Ширина:"), width_);
    form->addRow(QStringLiteral("Высота:"), height_);
    form->addRow(QStringLiteral("Единицы:"), unit_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(okCancel(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

ChartImageSize ChartSizeDialog::size() const {
    return {width_->value(), height_->value(), unit_->currentIndex() == 1};
}

WideSpanDialog::WideSpanDialog(double initialKhz, double largestKhz, QWidget* parent)
    : QDialog(parent), halfWidth_(new QDoubleSpinBox(this)) {
    setObjectName(QStringLiteral("WideSpanDialog"));
    setWindowTitle(QStringLiteral("Широкая полоса"));
    halfWidth_->setObjectName(QStringLiteral("WideSpanHalfWidth"));
    halfWidth_->setDecimals(1);
    halfWidth_->setRange(0, largestKhz);
    halfWidth_->setSpecialValueText(QStringLiteral("10 × dF"));
    halfWidth_->setValue(initialKhz);
    auto* form = new QFormLayout;
    const std::string_view label = settings::kSpanKhz.label;
    form->addRow(QString::fromUtf8(label.data(), qsizetype(label.size())), halfWidth_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(okCancel(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

double WideSpanDialog::halfWidthKhz() const {
    return halfWidth_->value();
}

CsvStyleDialog::CsvStyleDialog(QWidget* parent)
    : QDialog(parent),
      decimalPoint_(new QRadioButton(QStringLiteral("Десятичная точка, столбцы через «,»"), this)),
      decimalComma_(
          new QRadioButton(QStringLiteral("Десятичная запятая, столбцы через «;»"), this)) {
    setObjectName(QStringLiteral("CsvStyleDialog"));
    setWindowTitle(QStringLiteral("Формат CSV"));
    decimalPoint_->setChecked(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(decimalPoint_);
    layout->addWidget(decimalComma_);
    layout->addWidget(okCancel(this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

CsvStyle CsvStyleDialog::style() const {
    return decimalComma_->isChecked() ? CsvStyle::DecimalComma : CsvStyle::DecimalPoint;
}

}  // namespace trellon
