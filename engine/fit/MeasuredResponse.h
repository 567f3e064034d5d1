#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "Complex.h"
#include "CurveRecord.h"
#include "ReportBlock.h"

namespace trellon {

// A filter's transfer ratio S21 as a network analyser measured it, taken as it is: no
// renormalisation to the design's resistances.
struct MeasuredResponse {
    std::vector<double> detuningKhz;  // from the design's Fo
    std::vector<double> levelDb;      // in the chosen level mode
    double amin = 0;                  // dB: the least attenuation in the file, -max 20 log10 |S21|
    // The band at the level below the peak, between the outermost crossings of that level,
    // interpolated linearly in dB over frequency. Not found when the band reaches either end
    // of the file.
    bool bandFound = false;
    double bandLowHz = 0;
    double bandHighHz = 0;
    double bandwidthHz = 0;
};

// The curve and report figures of a measurement at frequenciesHz (increasing). The level is
// 20 log10 |S21| when absolute (for equal terminations the program's absolute level), less its
// own peak when relative. frLevelDb is the (negative) level of the band. Throws CommandError for
// a measurement without a single non-zero S21 or with one too large for its level, naming the
// file `fileName`.
MeasuredResponse analyseMeasuredResponse(std::string_view fileName,
                                         std::span<const double> frequenciesHz,
                                         std::span<const Complex> s21, double foHz, LevelMode mode,
                                         double frLevelDb);

// The report block of the measurement, in the report's style, for the file `name`; `level` is
// the level field as typed.
ReportBlockLines measuredReportLines(const MeasuredResponse& measured, std::string_view name,
                                     std::string_view level, double foHz, char decimalSeparator);

}  // namespace trellon
