#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "BenchCircuit.h"
#include "CalculatedDesign.h"
#include "CurveRecord.h"
#include "MeasuredResponse.h"

namespace trellon::cli {

// The options for the whole response: a table of every view's quantities and a Touchstone file
// over the traced points or a span, and a measured response to report on.
struct ResponseOptions {
    std::optional<std::string> tableFile;
    std::optional<double> spanKhz;  // half width around the band centre; none: traced points
    int spanPoints = settings::wholeDefault(settings::kSpanPoints);
    std::optional<std::string> s2pFile;
    std::optional<std::string> measuredFile;

    bool any() const { return tableFile || s2pFile || measuredFile; }
};

// Takes the option `name` with its value when it is one of the response options; returns false
// for any other name. Throws UsageError for a value it cannot take. A number may be typed with
// either decimal mark.
bool takeResponseOption(ResponseOptions& options, const std::string& name,
                        const std::string& value);

// The names of the response options, all of which take a value.
inline constexpr const char* kResponseOptionNames[] = {"table", settings::kSpanKhz.option.data(),
                                                       settings::kSpanPoints.option.data(), "s2p",
                                                       "measured"};

// The usage lines of the response options.
std::string responseUsageText();

// What the response options produce for a completed calculation, ready to write and print.
struct ResponseOutputs {
    std::string table;       // CSV, when asked for
    std::string touchstone;  // .s2p, when asked for
    std::optional<MeasuredResponse> measured;
    std::vector<std::string> measuredReport;
};

// Reads the measured file when one is asked for; a file that cannot be read or is malformed
// throws CommandError naming it (and the line). `levelText` is the level as typed. `ideal` is the
// record of the ideal curve of `design`: its points are the traced ones, its level mode is the
// one the measured response is read in. The table and the Touchstone file are of `bench` when
// given (referred to its system resistance when it is matched), otherwise of the circuit with the
// given or chosen crystals `withCrystals` when there are any, otherwise of `ideal`'s circuit as
// built.
ResponseOutputs makeResponseOutputs(const CurveRecord& ideal, const CalculatedDesign& design,
                                    const ResponseOptions& options, std::string_view levelText,
                                    char decimalSeparator, const BenchCircuit* bench = nullptr,
                                    const BuiltCircuit* withCrystals = nullptr);

}  // namespace trellon::cli
