#include "ResultFieldSet.h"

#include <QPalette>

#include "LineEditRoom.h"
#include "SchematicFields.h"

namespace trellon {

namespace {

constexpr int kFieldHeight = 20;
// Wide enough for a four-digit value in exponent form ("1.414E4") at the smallest font.
constexpr int kFieldWidth = 42;

// Top-left corners in the client area, in the order of ResultField.
constexpr std::array<QPoint, kResultFieldCount> kPlaces{{
    {4, 44},   {28, 128},  {78, 128},  {128, 128}, {152, 44},  {178, 128}, {202, 44}, {228, 128},
    {252, 44}, {278, 128}, {302, 44},  {328, 128}, {352, 44},  {378, 128}, {402, 44}, {428, 128},
    {452, 44}, {478, 128}, {528, 128}, {552, 44},  {578, 128}, {600, 44},
}};

// The smallest font a value may shrink to, in points.
constexpr double kSmallestPointSize = 7;
constexpr double kPointStep = 0.25;

// Shrinks the field's font from `full`, a quarter point at a time, until the whole value fits
// or the font reaches its smallest size; a cut value would read as another number.
void fitValue(QLineEdit* field, const QFont& full) {
    const QString& text = field->text();
    const int room = lineEditTextRoom(field);
    QFont font = full;
    for (double size = QFontInfo(full).pointSizeF() - kPointStep;
         QFontMetricsF(font).horizontalAdvance(text) > room; size -= kPointStep) {
        QFont smaller = font;
        smaller.setPointSizeF(size);
        // The font drawn may be a little smaller than the one asked for.
        if (QFontInfo(smaller).pointSizeF() < kSmallestPointSize) {
            break;
        }
        font = smaller;
    }
    field->setFont(font);
    field->setCursorPosition(0);
    field->setToolTip(text);
}

QLineEdit* makeField(QWidget* parent, ResultField which) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromStdString(resultFieldName(which)));
    field->setFrame(false);
    field->setAlignment(Qt::AlignCenter);
    field->setFocusPolicy(Qt::ClickFocus);
    QFont bold = field->font();
    bold.setBold(true);
    field->setFont(bold);
    QPalette colours = field->palette();
    colours.setColor(QPalette::Base, Qt::white);
    colours.setColor(QPalette::Text, QColor(0, 0, 128));
    field->setPalette(colours);
    field->resize(kFieldWidth, kFieldHeight);
    QObject::connect(field, &QLineEdit::textChanged, field,
                     [field, bold] { fitValue(field, bold); });
    return field;
}

}  // namespace

ResultFieldSet::ResultFieldSet(QWidget* parent) {
    for (int i = 0; i < kResultFieldCount; ++i) {
        fields_[i] = makeField(parent, static_cast<ResultField>(i));
    }
}

void ResultFieldSet::placeOverSchematic() {
    for (int i = 0; i < kResultFieldCount; ++i) {
        fields_[i]->move(kPlaces[i]);
    }
}

void ResultFieldSet::clearTexts() {
    for (QLineEdit* field : fields_) {
        field->clear();
    }
}

void ResultFieldSet::showFor(int topology) {
    hideAll();
    for (ResultField which : visibleResultFields(topology)) {
        field(which)->show();
    }
}

void ResultFieldSet::hideAll() {
    for (QLineEdit* field : fields_) {
        field->hide();
    }
}

}  // namespace trellon
