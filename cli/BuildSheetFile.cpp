#include "BuildSheetFile.h"

#include "BenchReport.h"
#include "BuildSheetCsv.h"
#include "BuildSheetPdf.h"
#include "BuiltFilter.h"
#include "NumberText.h"

namespace trellon::cli {

std::string buildSheetFile(const std::string& path, const CalculatedDesign& design,
                           const BenchSettings& settings, const BenchCircuit& soldered,
                           std::span<const std::string> crystalNames,
                           const std::vector<std::string>& tailLines, char separator) {
    if (path.ends_with(".csv") || path.ends_with(".CSV")) {
        return writeBuildSheetCsv(soldered, crystalNames);
    }
    const BenchResult result = solveBench(design, soldered, builtCurveFrequencies(design.band));
    const BenchReportLines report = benchReportLines(design, settings, soldered, result, separator);
    const std::vector<std::string> head{
        design.name + "  dF=" + FormatGeneral(design.passBandHz, 15, separator) + " Hz",
        "Fo=" + FormatGeneral(design.foKhz, 10, separator) +
            " kHz;  Rin=Rout=" + FormatGeneral(soldered.filterOhm, 4, separator) + " Ohm",
        report.log.front()};
    // The figures and the networks as the report block reads them, after the settings and values.
    std::vector<std::string> tail;
    for (std::size_t i = 1; i + 1 < report.log.size(); ++i) {
        tail.push_back(report.log[i]);
    }
    tail.insert(tail.end(), tailLines.begin(), tailLines.end());
    return buildSheetPdf(head, soldered, crystalNames, tail);
}

}  // namespace trellon::cli
