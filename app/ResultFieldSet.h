#pragma once

#include <QLineEdit>
#include <array>

#include "ResultFields.h"

namespace trellon {

// The 22 value fields laid over the schematic.
class ResultFieldSet {
public:
    explicit ResultFieldSet(QWidget* parent);

    QLineEdit* field(ResultField which) const { return fields_[static_cast<int>(which)]; }

    void placeOverSchematic();
    void clearTexts();
    // Shows exactly the fields that the schematic of `topology` labels.
    void showFor(int topology);
    void hideAll();

private:
    std::array<QLineEdit*, kResultFieldCount> fields_{};
};

}  // namespace trellon
