#include "SchematicLabels.h"

#include <cmath>

#include "NumberText.h"
#include "texts/SchematicTexts.h"

namespace trellon {

namespace {

constexpr int kValueDigits = 4;

// A value that is no number or not above zero is a fault upstream: it shows as a dash.
QString valueText(double value, const char* unit, char decimalSeparator) {
    if (!(value > 0 && std::isfinite(value))) {
        return QString::fromUtf8(texts::kSchematicNoValue);
    }
    return QString::fromUtf8(texts::kSchematicValue)
        .arg(QString::fromStdString(FormatGeneral(value, kValueDigits, decimalSeparator)),
             QString::fromUtf8(unit));
}

}  // namespace

QStringList schematicPartLabel(const BuiltPart& part, char decimalSeparator) {
    const QString name = QString::fromStdString(part.name);
    switch (part.kind) {
        case BuiltPartKind::SeriesCapacitor:
        case BuiltPartKind::ShuntCapacitor:
            return {name,
                    valueText(part.value * 1e12, texts::kSchematicPicofarad, decimalSeparator)};
        case BuiltPartKind::SeriesInductor:
        case BuiltPartKind::ShuntInductor:
            return {name,
                    valueText(part.value * 1e6, texts::kSchematicMicrohenry, decimalSeparator)};
        case BuiltPartKind::Crystal:
            break;
    }
    if (part.parallelCrystals > 1) {
        return {name, QString::fromUtf8(texts::kSchematicCrystalCount).arg(part.parallelCrystals)};
    }
    return {name};
}

QStringList schematicResistanceLabel(const char* name, double ohm, char decimalSeparator) {
    return {QString::fromUtf8(name), valueText(ohm, texts::kSchematicOhm, decimalSeparator)};
}

}  // namespace trellon
