#include "CrystalWindowParts.h"

#include <QPushButton>

namespace trellon {

QPushButton* crystalToolButton(QWidget* parent, const char* name, const char* caption,
                               const char* hint) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromUtf8(name));
    button->setToolTip(QString::fromUtf8(hint));
    return button;
}

QString joinedPlacement(const std::vector<std::string>& names) {
    QString text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        text += (i == 0 ? QString() : QStringLiteral("; ")) + QStringLiteral("ZQ%1=").arg(i + 1) +
                QString::fromStdString(names[i]);
    }
    return text;
}

}  // namespace trellon
