#include "TuningReportText.h"

#include <cmath>

#include "NumberText.h"
#include "texts/TuningTexts.h"

namespace trellon {

namespace {

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

QString number(double value, int digits, char separator) {
    return QString::fromStdString(FormatGeneral(value, digits, separator));
}

// A measure to the thousandth of a decibel, so that a perfect fit reads 0 rather than 5E-13.
QString measure(double db, char separator) {
    return number(std::round(db * 1000) / 1000, 6, separator) + QString::fromUtf8(texts::kDbUnit);
}

}  // namespace

QStringList tuningReportLines(const BenchCircuit& untuned, const CircuitTuning& tuning,
                              double measureBefore, double measureNow, char separator) {
    constexpr int kValueDigits = 4;
    QStringList lines{utf8(texts::kTuningHeading), utf8(texts::kMeasureCaption),
                      utf8(texts::kMeasureBefore) + measure(measureBefore, separator),
                      utf8(texts::kMeasureNow) + measure(measureNow, separator)};
    if (tuning.empty()) {
        lines << utf8(texts::kNothingTuned);
    }
    for (const BenchCapacitor& c : untuned.capacitors) {
        if (const auto tuned = tuning.capacitorsPf.find(c.name);
            tuned != tuning.capacitorsPf.end()) {
            lines << QString::fromStdString(c.name) + ": " +
                         number(c.fittedPf, kValueDigits, separator) + utf8(texts::kArrow) +
                         number(tuned->second, kValueDigits, separator) + utf8(texts::kPfUnit);
        }
    }
    for (const BuiltPart& part : untuned.circuit.parts) {
        if (part.kind != BuiltPartKind::Crystal) {
            continue;
        }
        if (const auto shift = tuning.fsShiftsHz.find(part.name);
            shift != tuning.fsShiftsHz.end()) {
            lines << QString::fromStdString(part.name) + utf8(texts::kFsShift) +
                         (shift->second > 0 ? "+" : "") +
                         number(shift->second, kValueDigits, separator) + utf8(texts::kHzUnit);
        }
        if (const auto trimmer = tuning.trimmersPf.find(part.name);
            trimmer != tuning.trimmersPf.end()) {
            lines << QString::fromStdString(trimmerName(part.name)) + ": " +
                         number(trimmer->second, kValueDigits, separator) + utf8(texts::kPfUnit);
        }
    }
    return lines;
}

}  // namespace trellon
