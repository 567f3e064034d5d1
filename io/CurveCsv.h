#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace trellon {

// How a CSV file for spreadsheets writes its numbers: a decimal point with "," between the
// columns, or a decimal comma with ";" between them.
enum class CsvStyle { DecimalPoint, DecimalComma };

// One drawn curve: its legend caption and its points.
struct CurveTable {
    std::string caption;
    std::vector<double> detuningKhz;
    std::vector<double> values;  // one per detuning
};

// All curves in long form, UTF-8 with a byte order mark so that spreadsheets see the Cyrillic
// captions: a header "curve,detuning_khz,<valueHeader>", then one row per point with the caption
// quoted ("" for a quote inside), the detuning and the value with 17 significant digits. A value
// that is not finite is left empty.
std::string writeCurveCsv(const std::vector<CurveTable>& curves, std::string_view valueHeader,
                          CsvStyle style);

}  // namespace trellon
