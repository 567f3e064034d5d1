#include "LsFoCalculator.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <initializer_list>

#include "CommandError.h"
#include "CrystalMeasurement.h"
#include "NumberText.h"
#include "ResourcePicture.h"

namespace trellon {

namespace {

constexpr QSize kClientSize(600, 366);
constexpr QSize kPictureSize(590, 321);
constexpr int kFieldHeight = 21;
constexpr int kCapacitorWidth = 40;
constexpr int kFrequencyWidth = 71;

QFont boldArial() {
    QFont font;
    font.setFamilies({"Arial", "Liberation Sans", "Helvetica", "DejaVu Sans"});
    font.setPixelSize(13);
    font.setBold(true);
    return font;
}

}  // namespace

LsFoCalculator::LsFoCalculator(char decimalSeparator, LsFoCalculatorHooks hooks, QWidget* parent)
    : QDialog(parent), decimalSeparator_(decimalSeparator), hooks_(std::move(hooks)) {
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral(" Ls & Fo Calculation"));
    setToolTip(QStringLiteral("Ls & Fo Calculation"));
    setFixedSize(kClientSize);
    setFont(boldArial());

    createPicture();
    createFields();
    createResults();
    chainTabOrder();

    if (QScreen* screen = this->screen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void LsFoCalculator::createPicture() {
    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setToolTip(QStringLiteral("Crystal oscillator"));
    image->setGeometry(QRect(QPoint(4, 4), kPictureSize));
    image->setPixmap(
        RenderResourcePicture(QStringLiteral(":/oscillator"), kPictureSize, devicePixelRatioF()));
}

void LsFoCalculator::createFields() {
    Edit_Cs = addField("Edit_Cs", "Cs", 154, 218, kCapacitorWidth, "3,3");
    Edit_C1 = addField("Edit_C1", "C1", 122, 249, kCapacitorWidth, "22");
    Edit_C2 = addField("Edit_C2", "C2", 268, 118, kCapacitorWidth, "820");
    Edit_C3 = addField("Edit_C3", "C3", 334, 268, kCapacitorWidth, "330");
    Edit_F1 = addField("Edit_F1", "F1", 66, 58, kFrequencyWidth, "8864.031");
    Edit_F2 = addField("Edit_F2", "F2", 66, 90, kFrequencyWidth, "8867,238");
    Edit_F1->setFocus();
}

QLineEdit* LsFoCalculator::addField(const char* name, const char* hint, int left, int top,
                                    int width, const char* text) {
    auto* field = new QLineEdit(QString::fromUtf8(text), this);
    field->setObjectName(QString::fromUtf8(name));
    field->setToolTip(QString::fromUtf8(hint));
    field->setGeometry(left, top, width, kFieldHeight);
    QPalette aqua = field->palette();
    aqua.setColor(QPalette::Base, QColor(0, 255, 255));
    field->setPalette(aqua);
    return field;
}

void LsFoCalculator::createResults() {
    Label7 = new QLabel(this);
    Label7->setObjectName(QStringLiteral("Label7"));
    Label7->setToolTip(QStringLiteral("Ld"));
    Label7->setGeometry(10, 338, 155, 20);

    Label8 = new QLabel(this);
    Label8->setObjectName(QStringLiteral("Label8"));
    Label8->setToolTip(QStringLiteral("Fo"));
    Label8->setGeometry(170, 338, 210, 20);

    BitBtn2 = new QPushButton(QStringLiteral("Расчет"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setToolTip(QStringLiteral("Calculate"));
    BitBtn2->setGeometry(384, 328, 102, 33);
    BitBtn2->setDefault(true);
    connect(BitBtn2, &QPushButton::clicked, this, &LsFoCalculator::BitBtn2Click);

    BitBtn3 = new QPushButton(QStringLiteral("Применить"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setToolTip(QStringLiteral("Apply"));
    BitBtn3->setGeometry(492, 328, 101, 33);
    BitBtn3->setEnabled(false);
    connect(BitBtn3, &QPushButton::clicked, this, &LsFoCalculator::BitBtn3Click);
}

void LsFoCalculator::chainTabOrder() {
    QWidget* previous = nullptr;
    for (QWidget* control : std::initializer_list<QWidget*>{Edit_Cs, Edit_C1, Edit_C2, Edit_C3,
                                                            Edit_F1, Edit_F2, BitBtn2, BitBtn3}) {
        if (previous != nullptr) {
            setTabOrder(previous, control);
        }
        previous = control;
    }
}

void LsFoCalculator::BitBtn2Click() {
    for (const QLineEdit* field : {Edit_C1, Edit_C2, Edit_C3, Edit_Cs, Edit_F1, Edit_F2}) {
        if (field->text().isEmpty()) {
            hooks_.showWarning(QStringLiteral("It is necessary to set all datas for calculation!"));
            return;
        }
    }
    try {
        calculate();
    } catch (const CommandError& error) {
        hooks_.showError(QString::fromStdString(error.what()));
    }
}

// Ld is stored before Fo is computed: when only Fo fails, the new Ld stays while the labels and
// the button keep what they showed.
void LsFoCalculator::calculate() {
    OscillatorReadings readings;
    readings.C1 = valueOf(Edit_C1);
    readings.C2 = valueOf(Edit_C2);
    readings.C3 = valueOf(Edit_C3);
    readings.Cs = valueOf(Edit_Cs);
    readings.F1 = valueOf(Edit_F1);
    readings.F2 = valueOf(Edit_F2);
    const CrystalCapacitances capacitances = MeasureCapacitances(readings);
    MeasuredLd = MeasureInductance(capacitances, readings.F1);
    MeasuredFo = MeasureFrequency(capacitances, MeasuredLd);

    BitBtn3->setEnabled(true);
    Label7->setText(QStringLiteral("Ld = ") + formatted(MeasuredLd, 4) + QStringLiteral(" mH;"));
    Label8->setText(QStringLiteral("Fo = ") + formatted(MeasuredFo, 7) + QStringLiteral(" kHz."));
}

void LsFoCalculator::BitBtn3Click() {
    if (MeasuredLd == 0 || MeasuredFo == 0) {
        hooks_.showWarning(QStringLiteral("It is necessary to produce calculation!"));
        return;
    }
    hooks_.applyResults(formatted(MeasuredLd, 4), formatted(MeasuredFo, 7));
    hide();
}

double LsFoCalculator::valueOf(const QLineEdit* field) const {
    return TypedNumber(field->text().toStdString(), decimalSeparator_);
}

QString LsFoCalculator::formatted(double value, int digits) const {
    return QString::fromStdString(FormatGeneral(value, digits, decimalSeparator_));
}

}  // namespace trellon
