#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPushButton;
class QWidget;

namespace trellon {

struct CalculatedDesign;
class ProjectDocument;

// The document's last calculated design; nothing, after `warn` has asked the user to calculate
// first, when there is none yet.
std::shared_ptr<const CalculatedDesign> calculatedDesignOrWarning(
    const ProjectDocument& document, const std::function<void(const QString&)>& warn);

// A button of the crystal windows, named for finding it, with its caption and hint.
QPushButton* crystalToolButton(QWidget* parent, const char* name, const char* caption,
                               const char* hint);

// "ZQ1=name; ZQ2=name; ...", by the crystal positions of `design` ("ZQ1a", "ZQ1b" for a pair);
// without a design, or past its positions, by number.
QString joinedPlacement(const std::vector<std::string>& names, const CalculatedDesign* design);

}  // namespace trellon
