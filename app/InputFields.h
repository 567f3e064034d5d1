#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace trellon {

// The crystal and filter inputs at the right of the window, each field with its label.
struct InputFields {
    QGroupBox* GroupBox1;  // crystal data
    QLineEdit* Edit1;      // Fo
    QLineEdit* Edit3;      // Ld
    QLineEdit* Edit4;      // Cs
    QLineEdit* Edit6;      // Rd
    QLineEdit* Edit11;     // Ccor, CW topologies only
    QLabel* Label11;

    QGroupBox* GroupBox2;  // filter data
    QComboBox* ComboBox1;  // topology list
    QLineEdit* Edit7;      // topology name over the list
    QComboBox* ComboBox2;  // response list
    QLineEdit* Edit10;     // response name over the list
    QLineEdit* Edit2;      // pass band
    QLineEdit* Edit5;      // level
};

// Creates the two input groups with their initial texts, hints and tab order.
InputFields buildInputFields(QWidget* parent);

}  // namespace trellon
