#include "RetrimReportText.h"

#include <QString>
#include <cmath>

#include "NumberText.h"
#include "texts/RetrimTexts.h"

namespace trellon {

std::vector<std::string> retrimReportLines(const RetrimResult& result, int eSeries,
                                           char decimalSeparator) {
    const auto number = [&](double value) {
        return QString::fromStdString(FormatGeneral(value, 4, decimalSeparator));
    };
    const auto line = [](const char* pattern) { return QString::fromUtf8(pattern); };
    std::vector<std::string> lines = {texts::kRetrimHeading};
    lines.push_back(line(texts::kRetrimMeasure)
                        .arg(number(result.measureBefore), number(result.measureAfter))
                        .toStdString());
    const auto shift = [&](double hz) {
        const double whole = std::round(hz);
        return (whole > 0 ? QStringLiteral("+") : QString()) + number(whole == 0 ? 0.0 : whole);
    };
    lines.push_back(line(texts::kRetrimShift)
                        .arg(shift(result.shiftBeforeHz), shift(result.shiftAfterHz))
                        .toStdString());
    if (result.plainRoundingMeasure) {
        lines.push_back(line(texts::kRetrimPlainRounding)
                            .arg(QString::number(eSeries), number(*result.plainRoundingMeasure))
                            .toStdString());
    }
    for (const RetrimChange& change : result.capacitors) {
        lines.push_back(line(texts::kRetrimCapacitor)
                            .arg(QString::fromStdString(change.name), number(change.fromPf),
                                 number(change.toPf))
                            .toStdString());
    }
    for (const RetrimTrimmer& trimmer : result.trimmers) {
        const QString crystal = QString::fromStdString(trimmer.crystal);
        lines.push_back((trimmer.pf ? line(texts::kRetrimTrimmer).arg(crystal, number(*trimmer.pf))
                                    : line(texts::kRetrimShorted).arg(crystal))
                            .toStdString());
    }
    return lines;
}

}  // namespace trellon
