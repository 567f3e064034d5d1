#include "BuildSheetCsv.h"

#include "BuildSheetRows.h"
#include "NumberText.h"

namespace trellon {

namespace {

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        out += c == '"' ? "\"\"" : std::string(1, c);
    }
    return out + "\"";
}

std::string number(const std::optional<double>& value) {
    return value ? FormatShortest(*value) : std::string();
}

std::string line(const BuildSheetRow& r) {
    return r.part + "," + r.kind + "," + number(r.design) + "," + number(r.fitted) + "," +
           number(r.fittedParallel) + "," + number(r.strayPf) + "," + r.unit + "," +
           (r.crystal.empty() ? "" : quoted(r.crystal)) + "," + r.note + "\n";
}

}  // namespace

std::string writeBuildSheetCsv(const BenchCircuit& bench,
                               std::span<const std::string> crystalNames) {
    std::string out = "\xEF\xBB\xBF";
    out += "part,kind,design,fitted,fitted_parallel,stray_pf,unit,crystal,note\n";
    for (const BuildSheetRow& row : buildSheetRows(bench, crystalNames)) {
        out += line(row);
    }
    return out;
}

}  // namespace trellon
