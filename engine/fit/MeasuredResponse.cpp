#include "MeasuredResponse.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include "CircuitSolver.h"
#include "CommandError.h"
#include "NumberText.h"
#include "QuotedText.h"

namespace trellon {

namespace {

// Where the straight line from (f0, a0) to (f1, a1) crosses `level`. A point without any
// transmission (-inf dB) lies infinitely far below: the crossing is at the other point.
double crossing(double f0, double a0, double f1, double a1, double level) {
    if (std::isinf(a0)) {
        return f1;
    }
    if (std::isinf(a1)) {
        return f0;
    }
    return f0 + (f1 - f0) * (level - a0) / (a1 - a0);
}

std::string signedOffset(double hz, char separator) {
    return (hz < 0 ? "-" : "+") + FormatGeneral(std::fabs(hz), 5, separator);
}

}  // namespace

MeasuredResponse analyseMeasuredResponse(std::string_view fileName,
                                         std::span<const double> frequenciesHz,
                                         std::span<const Complex> s21, double foHz, LevelMode mode,
                                         double frLevelDb) {
    if (frequenciesHz.size() != s21.size()) {
        throw std::invalid_argument("a measurement needs one S21 per frequency");
    }
    const std::size_t n = s21.size();
    std::vector<double> level(n);
    for (std::size_t i = 0; i < n; ++i) {
        level[i] = CircuitSolver::levelOf(s21[i]);
    }
    const auto peak = std::max_element(level.begin(), level.end());
    const std::string response = "The measured response " + trellon::quoted(fileName);
    if (peak == level.end() || *peak == -std::numeric_limits<double>::infinity()) {
        throw CommandError(response + " has no transmission at all");
    }
    if (!std::isfinite(*peak)) {
        throw CommandError(response + " has an S21 too large for its level in dB");
    }
    MeasuredResponse measured;
    measured.amin = -*peak;
    const double offset = mode == LevelMode::Absolute ? 0 : -*peak;
    for (std::size_t i = 0; i < n; ++i) {
        measured.detuningKhz.push_back((frequenciesHz[i] - foHz) / 1000);
        measured.levelDb.push_back(level[i] + offset);
    }

    const double threshold = *peak + frLevelDb;
    const std::size_t low = static_cast<std::size_t>(
        std::find_if(level.begin(), level.end(), [&](double a) { return a >= threshold; }) -
        level.begin());
    const std::size_t high = static_cast<std::size_t>(
        std::find_if(level.rbegin(), level.rend(), [&](double a) { return a >= threshold; }) -
        level.rbegin());
    // `high` counts from the end: the last point at or above the level is n - 1 - high.
    if (low == 0 || low == n || high == 0) {
        return measured;
    }
    const std::size_t top = n - 1 - high;
    measured.bandFound = true;
    measured.bandLowHz =
        crossing(frequenciesHz[low - 1], level[low - 1], frequenciesHz[low], level[low], threshold);
    measured.bandHighHz =
        crossing(frequenciesHz[top], level[top], frequenciesHz[top + 1], level[top + 1], threshold);
    measured.bandwidthHz = measured.bandHighHz - measured.bandLowHz;
    return measured;
}

ReportBlockLines measuredReportLines(const MeasuredResponse& measured, std::string_view name,
                                     std::string_view level, double foHz, char separator) {
    const std::string levelText(level);
    const std::string amin = "Amin=" + FormatGeneral(measured.amin, 3, separator) + " dB;";
    const std::string band = "dF(" + levelText + " dB)";
    ReportBlockLines lines;
    lines.results = {"-- measured --", amin};
    lines.log = {" ", "---------------- [Measured: " + std::string(name) + "] ----------------",
                 amin};
    if (measured.bandFound) {
        const std::string width =
            band + "=" + FormatGeneral(measured.bandwidthHz, 5, separator) + " Hz;";
        lines.results.push_back(width);
        lines.log.push_back(width + "  F=Fo" + signedOffset(measured.bandLowHz - foHz, separator) +
                            " .. Fo" + signedOffset(measured.bandHighHz - foHz, separator) +
                            " Hz;");
    } else {
        // The panel is too narrow for the whole sentence; the log has it.
        lines.results.push_back(band + ": open;");
        lines.log.push_back(band + ": the band reaches the end of the file;");
    }
    lines.log.push_back(std::string(57, '='));
    return lines;
}

}  // namespace trellon
