#include "AnyOrderReportText.h"

#include <QString>
#include <QStringList>
#include <cmath>

#include "AnyOrderReport.h"
#include "FamilyPrototype.h"
#include "NumberText.h"
#include "texts/AnyOrderTexts.h"

namespace trellon {

namespace {

// How many parts the log lists on one line.
constexpr int kPartsPerLine = 6;

QString number(double value, int digits, char separator) {
    return QString::fromStdString(FormatGeneral(value, digits, separator));
}

QString text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

}  // namespace

ReportBlockLines anyOrderReportBlock(const AnyOrderDesign& design,
                                     const CalculatedDesign& calculated, char separator) {
    const double fo = calculated.foHz();
    const auto fromFo = [&](double hz) {
        const double offset = std::round(hz - fo);
        return (offset < 0 ? QStringLiteral("Fo") : QStringLiteral("Fo+")) +
               number(offset, 7, separator);
    };
    const QString band = number(std::round(design.simulatedBandwidthHz()), 6, separator);
    const QString largest = number(std::round(design.largestBandwidthHz), 6, separator);
    const QString q0 = number(design.unloadedQ0, 4, separator);
    const QString q0Least = number(design.minimumQ0, 3, separator);
    const QString expected = number(design.expectedLossDb, 3, separator);
    const QString simulated = number(design.simulatedLossDb, 3, separator);
    const QString amin = number(calculated.amin, 4, separator);
    const QString peak = fromFo(calculated.fAmin);
    const QString attenuation = number(calculated.attenuationAtFo, 4, separator);
    const QString level = number(calculated.frLevelDb, 15, separator);
    const QString atLevel = number(std::round(calculated.bandwidthAtLevel), 6, separator);
    const QString heading = text(texts::kAnyOrderHeading)
                                .arg(QString::fromStdString(calculated.name),
                                     number(calculated.passBandHz, 15, separator));
    const QString low = fromFo(design.simulatedLowerHz);
    const QString high = fromFo(design.simulatedUpperHz);
    const QString bandLine =
        design.edgeLossDb != kHalfPowerDb
            ? text(texts::kAnyOrderBandAtRipple)
                  .arg(band, number(design.edgeLossDb, 3, separator), low, high, largest)
            : text(texts::kAnyOrderBandAtHalfPower).arg(band, low, high, largest);

    QStringList log{
        heading,
        text(texts::kAnyOrderFrequencies)
            .arg(number(calculated.foKhz, 15, separator), fromFo(design.designFrequencyHz)),
        bandLine, text(texts::kAnyOrderLosses).arg(q0, q0Least, expected, simulated),
        text(texts::kAnyOrderFigures).arg(amin, peak, attenuation, level, atLevel)};
    const std::vector<std::string> parts = anyOrderPartLines(design, separator);
    for (std::size_t first = 0; first < parts.size(); first += kPartsPerLine) {
        QStringList line;
        for (std::size_t i = first; i < std::min(parts.size(), first + kPartsPerLine); ++i) {
            line << QString::fromStdString(parts[i]);
        }
        log << line.join(QStringLiteral("; ")) + QStringLiteral(";");
    }
    QStringList results{heading,
                        text(texts::kAnyOrderShortFd).arg(fromFo(design.designFrequencyHz)),
                        text(texts::kAnyOrderShortBand).arg(band),
                        text(texts::kAnyOrderShortLargest).arg(largest),
                        text(texts::kAnyOrderShortQ0).arg(q0, q0Least),
                        text(texts::kAnyOrderShortLoss).arg(expected, simulated),
                        text(texts::kAnyOrderShortAmin).arg(amin),
                        text(texts::kAnyOrderShortPeak).arg(peak),
                        text(texts::kAnyOrderShortAttenuation).arg(attenuation),
                        text(texts::kAnyOrderShortBandAtLevel).arg(level, atLevel)};
    if (design.tooLossy()) {
        log.prepend(text(texts::kAnyOrderTooLossy).arg(q0, q0Least));
        QStringList warning;
        for (const char* line : texts::kAnyOrderShortTooLossy) {
            warning << text(line);
        }
        warning[1] = warning[1].arg(q0, q0Least);
        results = warning + results;
    }
    ReportBlockLines block;
    for (const QString& line : results) {
        block.results.push_back(line.toStdString());
    }
    for (const QString& line : log) {
        block.log.push_back(line.toStdString());
    }
    return block;
}

}  // namespace trellon
