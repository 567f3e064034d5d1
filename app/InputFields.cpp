#include "InputFields.h"

#include <algorithm>

#include "Catalogue.h"
#include "Hints.h"
#include "LineEditRoom.h"
#include "StartupInputs.h"
#include "WindowLayout.h"

namespace trellon {

namespace {

constexpr int kRowHeight = 21;
constexpr int kRowPitch = 24;
constexpr int kLabelLeft = 0;
constexpr int kFieldWidth = 56;
constexpr int kGroupInnerRight = 167;
constexpr int kFieldLeft = kGroupInnerRight - kFieldWidth;
constexpr int kLabelGap = 2;
// An input field shows this many digits whole, so that no number reads as another, as far as
// its label leaves room.
constexpr int kDigitsShown = 10;
constexpr int kListWidth = 156;
constexpr int kListHeight = 22;
// The name field leaves the list's drop-down button uncovered.
constexpr int kNameFieldNarrower = 20;

struct LabelledField {
    const char* name;
    const char* label;
    const char* text;
    const char* hint;
};

QLineEdit* addLabelledField(QGroupBox* group, int top, const LabelledField& wanted,
                            QLabel** labelOut = nullptr) {
    auto* label = new QLabel(QString::fromUtf8(wanted.label), group);
    label->setObjectName(QStringLiteral("Label") + QString::fromUtf8(wanted.name).mid(4));
    label->setGeometry(kLabelLeft, top, kFieldLeft - kLabelLeft - 2, kRowHeight);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* field = new QLineEdit(QString::fromUtf8(wanted.text), group);
    field->setObjectName(QString::fromUtf8(wanted.name));
    field->setGeometry(kFieldLeft, top, kFieldWidth, kRowHeight);
    setHint(field, QString::fromUtf8(wanted.hint));
    if (labelOut != nullptr) {
        *labelOut = label;
    }
    return field;
}

// Widens a group's fields alike, leftwards, until each shows ten digits whole or the longest
// label would be covered.
void widenFields(QGroupBox* group, std::initializer_list<QLineEdit*> fields) {
    QList<QLabel*> labels;
    int width = 0;
    for (QLineEdit* field : fields) {
        labels << group->findChild<QLabel*>(QStringLiteral("Label") + field->objectName().mid(4));
        width =
            std::max(width, field->width() - lineEditTextRoom(field) +
                                field->fontMetrics().horizontalAdvance(QString(kDigitsShown, '0')));
    }
    for (const QLabel* label : labels) {
        width = std::min(width, kGroupInnerRight - kLabelGap - kLabelLeft -
                                    label->fontMetrics().horizontalAdvance(label->text()));
    }
    width = std::max(width, kFieldWidth);
    const int fieldLeft = kGroupInnerRight - width;
    for (QLineEdit* field : fields) {
        field->setGeometry(fieldLeft, field->y(), width, field->height());
    }
    for (QLabel* label : labels) {
        label->setGeometry(kLabelLeft, label->y(), fieldLeft - kLabelGap - kLabelLeft,
                           label->height());
    }
}

QGroupBox* addGroup(QWidget* parent, const char* name, const char* title, const char* hint,
                    const QRect& place) {
    auto* group = new QGroupBox(QString::fromUtf8(title), parent);
    group->setObjectName(QString::fromUtf8(name));
    group->setGeometry(place);
    setHint(group, QString::fromUtf8(hint));
    return group;
}

void addListLabel(QGroupBox* group, const char* name, const char* text, int top) {
    auto* label = new QLabel(QString::fromUtf8(text), group);
    label->setObjectName(QString::fromUtf8(name));
    label->setGeometry(kLabelLeft + 4, top, kListWidth, 16);
}

// A catalogue list with its read-only name field laid over all but its button.
QComboBox* addList(QGroupBox* group, const char* name, const char* hint, const QStringList& items,
                   int top, const char* nameFieldName, QLineEdit** nameField) {
    auto* list = new QComboBox(group);
    list->setObjectName(QString::fromUtf8(name));
    list->addItems(items);
    list->setFocusPolicy(Qt::NoFocus);
    list->setGeometry(kLabelLeft + 4, top, kListWidth, kListHeight);
    setHint(list, QString::fromUtf8(hint));
    auto* field = new QLineEdit(group);
    field->setObjectName(QString::fromUtf8(nameFieldName));
    field->setReadOnly(true);
    field->setGeometry(list->geometry().adjusted(0, 0, -kNameFieldNarrower, 0));
    *nameField = field;
    return list;
}

QStringList topologyItems() {
    QStringList items;
    for (int topology = 1; topology <= kTopologyCount; ++topology) {
        items << QString::fromStdString(topologyComboText(topology));
    }
    return items;
}

QStringList responseItems() {
    QStringList items;
    for (int response = 1; response <= kResponseCount; ++response) {
        items << QString::fromStdString(responseComboText(response));
    }
    return items;
}

}  // namespace

InputFields buildInputFields(QWidget* parent) {
    InputFields f{};
    f.GroupBox1 = addGroup(parent, "GroupBox1", "Данные резонатора", "Crystal parameters",
                           layout::kCrystalGroup);
    int top = 20;
    f.Edit1 = addLabelledField(
        f.GroupBox1, top,
        {"Edit1", "Fo (кГц) =", startup::kFo, "Crystal series resonance frequency"});
    f.Edit3 =
        addLabelledField(f.GroupBox1, top += kRowPitch,
                         {"Edit3", "Ld (мГн) =", startup::kLd, "Crystal equivalent inductance"});
    f.Edit4 = addLabelledField(f.GroupBox1, top += kRowPitch,
                               {"Edit4", "Cs (пФ) =", startup::kCs, "Crystal shunt capacitance"});
    f.Edit6 =
        addLabelledField(f.GroupBox1, top += kRowPitch,
                         {"Edit6", "Rd (Ом) =", startup::kRd, "Equivalent series resistance"});
    f.Edit11 = addLabelledField(
        f.GroupBox1, top += kRowPitch,
        {"Edit11", "Ccor (пФ) =", startup::kCcor, "CW frequency shift capacitance"}, &f.Label11);

    f.GroupBox2 =
        addGroup(parent, "GroupBox2", "Данные фильтра", "Filter data", layout::kFilterGroup);
    addListLabel(f.GroupBox2, "Label7", "Порядок фильтра:", 18);
    f.ComboBox1 =
        addList(f.GroupBox2, "ComboBox1", "Filter Order", topologyItems(), 34, "Edit7", &f.Edit7);
    addListLabel(f.GroupBox2, "Label10", "Тип АЧХ:", 58);
    f.ComboBox2 =
        addList(f.GroupBox2, "ComboBox2", "Filter Type", responseItems(), 74, "Edit10", &f.Edit10);
    top = 104;
    f.Edit2 = addLabelledField(f.GroupBox2, top,
                               {"Edit2", "Полоса dF (Гц) =", startup::kDF, "Filter Passband "});
    f.Edit5 = addLabelledField(
        f.GroupBox2, top += kRowPitch,
        {"Edit5", "Уровень АЧХ (дБ) =", startup::kLevel, "Frequency responce calculation limit"});

    widenFields(f.GroupBox1, {f.Edit1, f.Edit3, f.Edit4, f.Edit6, f.Edit11});
    widenFields(f.GroupBox2, {f.Edit2, f.Edit5});

    QWidget::setTabOrder(f.Edit1, f.Edit3);
    QWidget::setTabOrder(f.Edit3, f.Edit4);
    QWidget::setTabOrder(f.Edit4, f.Edit6);
    QWidget::setTabOrder(f.Edit6, f.Edit11);
    QWidget::setTabOrder(f.Edit11, f.Edit7);
    QWidget::setTabOrder(f.Edit7, f.Edit10);
    QWidget::setTabOrder(f.Edit10, f.Edit2);
    QWidget::setTabOrder(f.Edit2, f.Edit5);
    return f;
}

}  // namespace trellon
