#include "CrystalWindowParts.h"

#include <QPushButton>

#include "CrystalPositions.h"
#include "ProjectDocument.h"
#include "texts/CrystalWindowTexts.h"

namespace trellon {

std::shared_ptr<const CalculatedDesign> calculatedDesignOrWarning(
    const ProjectDocument& document, const std::function<void(const QString&)>& warn) {
    std::shared_ptr<const CalculatedDesign> design = document.calculatedDesign();
    if (!design) {
        warn(QString::fromUtf8(texts::kNoCalculatedDesign));
    }
    return design;
}

QPushButton* crystalToolButton(QWidget* parent, const char* name, const char* caption,
                               const char* hint) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromUtf8(name));
    button->setToolTip(QString::fromUtf8(hint));
    return button;
}

QString joinedPlacement(const std::vector<std::string>& names, const CalculatedDesign* design) {
    const std::vector<std::string> positions =
        design ? crystalPositionNames(design->circuit) : std::vector<std::string>{};
    QString text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const QString position = i < positions.size() ? QString::fromStdString(positions[i])
                                                      : QStringLiteral("ZQ%1").arg(i + 1);
        text += (i == 0 ? QString() : QStringLiteral("; ")) + position + QStringLiteral("=") +
                QString::fromStdString(names[i]);
    }
    return text;
}

}  // namespace trellon
