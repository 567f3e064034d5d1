#pragma once

#include <QString>
#include <string>
#include <vector>

class QPushButton;
class QWidget;

namespace trellon {

// A button of the crystal windows, named for finding it, with its caption and hint.
QPushButton* crystalToolButton(QWidget* parent, const char* name, const char* caption,
                               const char* hint);

// "ZQ1=name; ZQ2=name; ...".
QString joinedPlacement(const std::vector<std::string>& names);

}  // namespace trellon
