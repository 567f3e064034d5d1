#include "ResultFieldSet.h"

#include <QPalette>

namespace trellon {

namespace {

constexpr int kFieldHeight = 20;
constexpr int kCapacitorWidth = 40;
constexpr int kResistanceWidth = 38;

// Top-left corners in the client area, in the order of ResultField.
constexpr std::array<QPoint, kResultFieldCount> kPlaces{{
    {4, 44},   {28, 128},  {78, 128},  {128, 128}, {152, 44},  {178, 128}, {202, 44}, {228, 128},
    {252, 44}, {278, 128}, {302, 44},  {328, 128}, {352, 44},  {378, 128}, {402, 44}, {428, 128},
    {452, 44}, {478, 128}, {528, 128}, {552, 44},  {578, 128}, {600, 44},
}};

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
    field->resize(holdsOnlyResistance(which) ? kResistanceWidth : kCapacitorWidth, kFieldHeight);
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
