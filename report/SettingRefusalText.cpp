#include "SettingRefusalText.h"

#include <cmath>

#include "NumberText.h"
#include "texts/FailureTexts.h"

namespace trellon {

namespace {

QString fromView(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString unitText(std::string_view unit) {
    for (const texts::UnitText& known : texts::kUnits) {
        if (unit == known.engine) {
            return QString::fromUtf8(known.window);
        }
    }
    return fromView(unit);
}

}  // namespace

QString settingRangeText(const SettingDeclaration& declaration, char decimalSeparator) {
    const SettingRange& r = declaration.range;
    auto number = [decimalSeparator](double value) {
        return QString::fromStdString(FormatGeneral(value, 15, decimalSeparator));
    };
    const QString unit =
        declaration.unit.empty() ? QString() : QStringLiteral(" ") + unitText(declaration.unit);
    if (std::isinf(r.high)) {
        return QString::fromUtf8(r.lowIncluded ? texts::kRangeFrom : texts::kRangeAbove)
            .arg(number(r.low) + unit);
    }
    QString text =
        QString::fromUtf8(texts::kRangeBetween).arg(number(r.low), number(r.high)) + unit;
    if (!r.lowIncluded && !r.highIncluded) {
        text += QString::fromUtf8(texts::kRangeWithoutEnds).arg(number(r.low), number(r.high));
    } else if (!r.lowIncluded) {
        text += QString::fromUtf8(texts::kRangeWithoutLow).arg(number(r.low));
    } else if (!r.highIncluded) {
        text += QString::fromUtf8(texts::kRangeWithoutHigh).arg(number(r.high));
    }
    return text;
}

QString settingRefusalText(const SettingDeclaration& declaration, const QString& typed,
                           char decimalSeparator) {
    return QString::fromUtf8(texts::kOutOfRange)
        .arg(fromView(declaration.label), typed.trimmed(),
             settingRangeText(declaration, decimalSeparator));
}

}  // namespace trellon
