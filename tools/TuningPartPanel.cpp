#include "TuningPartPanel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QWheelEvent>
#include <cmath>

#include "CommandError.h"
#include "NumberText.h"
#include "texts/TuningTexts.h"

namespace trellon {

namespace {

constexpr int kWheelStepEighths = 120;  // one notch of a mouse wheel
constexpr int kWheelQuietMs = 400;
constexpr int kValueDigits = 6;
constexpr int kFsDigits = 10;

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

QString number(double value, int digits, char separator) {
    return QString::fromStdString(FormatGeneral(value, digits, separator));
}

StepSize stepSizeOf(Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::ShiftModifier) {
        return StepSize::Fine;
    }
    return modifiers & Qt::ControlModifier ? StepSize::Coarse : StepSize::Normal;
}

}  // namespace

TuningPartPanel::TuningPartPanel(char decimalSeparator, QWidget* parent)
    : QWidget(parent), separator_(decimalSeparator) {
    name_ = new QLabel;
    name_->setObjectName("TuningPartName");
    QFont bold = name_->font();
    bold.setBold(true);
    name_->setFont(bold);
    value_ = new QLineEdit;
    value_->setObjectName("TuningValue");
    value_->setMinimumWidth(
        value_->fontMetrics().horizontalAdvance(QStringLiteral("88888888,888")));
    value_->setToolTip(utf8(texts::kStepsHint));
    unit_ = new QLabel;
    detail_ = new QLabel;
    detail_->setObjectName("TuningPartDetail");
    // A long caption wraps rather than widening the window.
    detail_->setWordWrap(true);
    detail_->setMinimumWidth(detail_->fontMetrics().averageCharWidth() * 18);
    slider_ = new QSlider(Qt::Horizontal);
    slider_->setObjectName("TuningSlider");
    slider_->setRange(0, kSliderPositions);
    slider_->setMinimumWidth(160);
    slider_->setToolTip(utf8(texts::kStepsHint));
    trimmer_ = new QPushButton(utf8(texts::kAddTrimmer));
    trimmer_->setObjectName("TuningTrimmer");
    trimmer_->setToolTip("Add a series capacitor to the crystal, or short it");
    wheelQuiet_ = new QTimer(this);
    wheelQuiet_->setSingleShot(true);
    wheelQuiet_->setInterval(kWheelQuietMs);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(name_, 0, 0);
    grid->addWidget(value_, 0, 1);
    grid->addWidget(unit_, 0, 2);
    grid->addWidget(detail_, 0, 3);
    grid->addWidget(slider_, 1, 0, 1, 4);
    besideSlider_ = new QHBoxLayout;
    grid->addLayout(besideSlider_, 1, 4);
    grid->addWidget(trimmer_, 0, 4);
    grid->setColumnStretch(3, 1);

    connect(value_, &QLineEdit::returnPressed, this, &TuningPartPanel::takeTyped);
    connect(slider_, &QSlider::valueChanged, this, &TuningPartPanel::sliderMoved);
    connect(slider_, &QSlider::sliderReleased, this, &TuningPartPanel::released);
    connect(trimmer_, &QPushButton::clicked, this, &TuningPartPanel::trimmerToggled);
    connect(wheelQuiet_, &QTimer::timeout, this, &TuningPartPanel::released);
    value_->installEventFilter(this);
    slider_->installEventFilter(this);
    showPart(std::nullopt, utf8(texts::kPickAPart));
}

void TuningPartPanel::showPart(const std::optional<TunedPart>& part, const QString& caption) {
    showing_ = true;
    // A value being typed stays until it is taken, unless another part is picked.
    const bool typing = value_->isModified() && part && part_ && part->name == part_->name;
    part_ = part;
    const bool crystal = part && part->kind == TunedKind::Crystal;
    name_->setText(part ? QString::fromStdString(part->name) + (crystal ? " Fs" : "") : QString());
    value_->setEnabled(part.has_value());
    slider_->setEnabled(part.has_value());
    if (!typing) {
        value_->setText(part ? valueText() : QString());
    }
    unit_->setText(!part ? QString() : crystal ? utf8(texts::kHzUnit) : utf8(texts::kPfUnit));
    QString detail = caption;
    if (crystal) {
        detail = utf8(texts::kShiftCaption) + (part->value > 0 ? "+" : "") +
                 number(part->value, kValueDigits, separator_) + utf8(texts::kHzUnit);
    } else if (part && part->kind == TunedKind::Capacitor) {
        detail = utf8(texts::kBeforeTuning) + number(part->untuned, kValueDigits, separator_) +
                 utf8(texts::kPfUnit);
    } else if (part) {
        detail = utf8(texts::kTrimmerCaption) + QString::fromStdString(part->key);
    }
    detail_->setText(detail);
    if (part) {
        slider_->setValue(sliderPosition(*part, part->value));
    }
    const bool shorts = part && (part->kind == TunedKind::Trimmer || part->hasTrimmer);
    trimmer_->setText(utf8(shorts ? texts::kShortTrimmer : texts::kAddTrimmer));
    trimmer_->setVisible(part && part->kind != TunedKind::Capacitor);
    showing_ = false;
}

QString TuningPartPanel::valueText() const {
    if (part_->kind == TunedKind::Crystal) {
        return number(part_->untuned + part_->value, kFsDigits, separator_);
    }
    return number(part_->value, kValueDigits, separator_);
}

void TuningPartPanel::addBesideSlider(QWidget* widget) {
    besideSlider_->addWidget(widget);
}

bool TuningPartPanel::step(QEvent* event) {
    if (!part_) {
        return false;
    }
    if (event->type() == QEvent::Wheel) {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        // Some systems turn a wheel held with Shift into a sideways one.
        const QPoint delta = wheel->angleDelta();
        wheelEighths_ += delta.y() != 0 ? delta.y() : delta.x();
        const int steps = wheelEighths_ / kWheelStepEighths;
        wheelEighths_ -= steps * kWheelStepEighths;
        if (steps != 0) {
            stepBy(steps, wheel->modifiers());
        }
        wheelQuiet_->start();
        return true;
    }
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const int direction = key->key() == Qt::Key_Up ? 1 : key->key() == Qt::Key_Down ? -1 : 0;
    if (direction == 0) {
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        stepBy(direction, key->modifiers());
    } else if (!key->isAutoRepeat()) {
        emit released();
    }
    return true;
}

bool TuningPartPanel::eventFilter(QObject* watched, QEvent* event) {
    return step(event) || QWidget::eventFilter(watched, event);
}

void TuningPartPanel::stepBy(int steps, Qt::KeyboardModifiers modifiers) {
    emit valueChosen(steppedValue(*part_, part_->value, steps, stepSizeOf(modifiers)), true);
}

void TuningPartPanel::sliderMoved(int position) {
    if (!showing_ && part_) {
        emit valueChosen(sliderValue(*part_, position), true);
    }
}

void TuningPartPanel::takeTyped() {
    if (!part_) {
        return;
    }
    double typed = NAN;
    try {
        typed = TypedNumber(value_->text().toStdString(), separator_);
    } catch (const CommandError&) {
    }
    if (!std::isfinite(typed) || !(typed > 0)) {
        value_->setText(valueText());
        emit refused(utf8(texts::kNotAPositiveNumber));
        return;
    }
    emit valueChosen(part_->kind == TunedKind::Crystal ? typed - part_->untuned : typed, false);
    value_->setText(valueText());
    emit released();
}

}  // namespace trellon
