// The measured-response analysis on an arbitrary sweep file: it either gives finite figures and
// a report without a non-number in it, or throws a command error. A point without transmission
// keeps its -inf dB level: the chart leaves a gap there.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "CommandError.h"
#include "MeasuredResponse.h"
#include "Touchstone.h"

namespace {

bool readsAsNonNumber(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text.find("nan") != std::string::npos || text.find("inf") != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte picks the level mode, the band's level and the design's Fo; the rest is the
    // file.
    if (size == 0) {
        return 0;
    }
    const auto mode =
        (data[0] & 1) != 0 ? trellon::LevelMode::Absolute : trellon::LevelMode::RelativeToPeak;
    const double frLevelDb = -1.0 - ((data[0] >> 1) & 7) * 10.0;
    const double foHz = (data[0] >> 4) == 0 ? 1e3 : (data[0] >> 4) * 2.5e6;
    try {
        const trellon::TwoPortData sweep = trellon::readTouchstone(
            std::string_view(reinterpret_cast<const char*>(data + 1), size - 1), "fuzz.s2p");
        const trellon::MeasuredResponse measured = trellon::analyseMeasuredResponse(
            "fuzz.s2p", sweep.frequencyHz, sweep.s21, foHz, mode, frLevelDb);
        if (!std::isfinite(measured.amin) ||
            measured.levelDb.size() != measured.detuningKhz.size()) {
            std::abort();
        }
        if (std::any_of(measured.levelDb.begin(), measured.levelDb.end(),
                        [](double level) { return std::isnan(level) || level > 1e300; })) {
            std::abort();
        }
        if (measured.bandFound &&
            !(measured.bandLowHz <= measured.bandHighHz && measured.bandwidthHz >= 0 &&
              std::isfinite(measured.bandwidthHz))) {
            std::abort();
        }
        const trellon::ReportBlockLines report =
            trellon::measuredReportLines(measured, "fuzz.s2p", "-6", foHz, '.');
        for (const auto* lines : {&report.results, &report.log}) {
            for (const std::string& line : *lines) {
                if (readsAsNonNumber(line)) {
                    std::abort();
                }
            }
        }
    } catch (const trellon::CommandError&) {
    }
    return 0;
}
