#include "ExportDialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "SettingTables.h"
#include "texts/ExportTexts.h"

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

// The layout of a dialog of fixed size, at least as wide as its title needs, so that the title
// bar shows the whole title beside its buttons.
QVBoxLayout* fixedLayout(QDialog* dialog) {
    auto* layout = new QVBoxLayout(dialog);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    // A title bar's icon, buttons and margins take about twelve lines' height.
    const int titleBarRoom = 12 * dialog->fontMetrics().height();
    layout->addSpacerItem(new QSpacerItem(
        dialog->fontMetrics().horizontalAdvance(dialog->windowTitle()) + titleBarRoom, 0));
    return layout;
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
    setWindowTitle(QString::fromUtf8(texts::kChartSizeTitle));
    width_->setObjectName(QStringLiteral("ChartWidth"));
    height_->setObjectName(QStringLiteral("ChartHeight"));
    unit_->setObjectName(QStringLiteral("ChartUnit"));
    unit_->addItems({QString::fromUtf8(texts::kPixels), QString::fromUtf8(texts::kMillimetres)});
    unit_->setCurrentIndex(initial.millimetres ? 1 : 0);
    auto* form = new QFormLayout;
    form->addRow(QString::fromUtf8(texts::kWidthCaption), width_);
    form->addRow(QString::fromUtf8(texts::kHeightCaption), height_);
    form->addRow(QString::fromUtf8(texts::kUnitCaption), unit_);
    auto* layout = fixedLayout(this);
    layout->addLayout(form);
    layout->addWidget(okCancel(this));
}

ChartImageSize ChartSizeDialog::size() const {
    return {width_->value(), height_->value(), unit_->currentIndex() == 1};
}

WideSpanDialog::WideSpanDialog(double initialKhz, double largestKhz, QWidget* parent)
    : QDialog(parent), halfWidth_(new QDoubleSpinBox(this)) {
    setObjectName(QStringLiteral("WideSpanDialog"));
    setWindowTitle(QString::fromUtf8(texts::kWideSpanTitle));
    halfWidth_->setObjectName(QStringLiteral("WideSpanHalfWidth"));
    halfWidth_->setDecimals(1);
    halfWidth_->setRange(0, largestKhz);
    halfWidth_->setSpecialValueText(QString::fromUtf8(texts::kTenPassBands));
    halfWidth_->setValue(initialKhz);
    auto* form = new QFormLayout;
    const std::string_view caption = settings::kSpanKhz.label;
    form->addRow(QString::fromUtf8(caption.data(), qsizetype(caption.size())), halfWidth_);
    auto* layout = fixedLayout(this);
    layout->addLayout(form);
    layout->addWidget(okCancel(this));
}

double WideSpanDialog::halfWidthKhz() const {
    return halfWidth_->value();
}

CsvStyleDialog::CsvStyleDialog(QWidget* parent)
    : QDialog(parent),
      decimalPoint_(new QRadioButton(QString::fromUtf8(texts::kDecimalPoint), this)),
      decimalComma_(new QRadioButton(QString::fromUtf8(texts::kDecimalComma), this)) {
    setObjectName(QStringLiteral("CsvStyleDialog"));
    setWindowTitle(QString::fromUtf8(texts::kCsvStyleTitle));
    decimalPoint_->setChecked(true);
    auto* layout = fixedLayout(this);
    layout->addWidget(decimalPoint_);
    layout->addWidget(decimalComma_);
    layout->addWidget(okCancel(this));
}

CsvStyle CsvStyleDialog::style() const {
    return decimalComma_->isChecked() ? CsvStyle::DecimalComma : CsvStyle::DecimalPoint;
}

TouchstoneFormatDialog::TouchstoneFormatDialog(TouchstoneFormat initial, QWidget* parent)
    : QDialog(parent), format_(new QComboBox(this)) {
    setObjectName(QStringLiteral("TouchstoneFormatDialog"));
    setWindowTitle(QString::fromUtf8(texts::kTouchstoneFormatTitle));
    format_->setObjectName(QStringLiteral("TouchstoneFormat"));
    for (const char* format : texts::kTouchstoneFormats) {
        format_->addItem(QString::fromUtf8(format));
    }
    format_->setCurrentIndex(static_cast<int>(initial));
    auto* layout = fixedLayout(this);
    layout->addWidget(format_);
    layout->addWidget(okCancel(this));
}

TouchstoneFormat TouchstoneFormatDialog::format() const {
    return static_cast<TouchstoneFormat>(format_->currentIndex());
}

}  // namespace trellon
