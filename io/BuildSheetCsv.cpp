#include "BuildSheetCsv.h"

#include <vector>

#include "CrystalPositions.h"
#include "NumberText.h"

namespace trellon {

namespace {

struct SheetRow {
    std::string part;
    std::string kind;
    std::string design;
    std::string fitted;
    std::string fittedParallel;
    std::string strayPf;
    std::string unit;
    std::string crystal;
    std::string note;
};

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        out += c == '"' ? "\"\"" : std::string(1, c);
    }
    return out + "\"";
}

std::string line(const SheetRow& r) {
    return r.part + "," + r.kind + "," + r.design + "," + r.fitted + "," + r.fittedParallel + "," +
           r.strayPf + "," + r.unit + "," + r.crystal + "," + r.note + "\n";
}

SheetRow capacitorRow(const BenchCapacitor& c) {
    SheetRow row;
    row.part = c.name;
    row.kind = "capacitor";
    row.design = FormatShortest(c.designPf);
    row.fitted = FormatShortest(c.fittedPf);
    if (c.standard && c.standard->second) {
        row.fitted = FormatShortest(c.standard->first);
        row.fittedParallel = FormatShortest(*c.standard->second);
    }
    row.strayPf = FormatShortest(c.strayPf);
    row.unit = "pF";
    // The parts at one node soldered as this one, each at its design value as the report reads it.
    for (const MergedCapacitor& m : c.merged) {
        row.note += (row.note.empty() ? "one part for " : " + ") + m.name + " " +
                    FormatGeneral(m.designPf, 4, '.') + " pF";
    }
    if (c.keptAtDesign) {
        row.note += (row.note.empty() ? "" : "; ") +
                    std::string("the stray leaves nothing to fit: kept at the design value");
    }
    return row;
}

// A matching part at its design value: the networks are not rounded.
SheetRow networkRow(const BuiltPart& part) {
    const bool inductor =
        part.kind == BuiltPartKind::SeriesInductor || part.kind == BuiltPartKind::ShuntInductor;
    SheetRow row;
    row.part = part.name;
    row.kind = inductor ? "inductor" : "capacitor";
    row.design = FormatShortest(part.value * (inductor ? 1e6 : 1e12));
    row.unit = inductor ? "uH" : "pF";
    return row;
}

SheetRow transformerRow(const std::string& name, double turnsRatio) {
    SheetRow row;
    row.part = name;
    row.kind = "transformer";
    row.design = FormatShortest(turnsRatio);
    row.unit = "turns ratio";
    row.note = "filter side to system side";
    return row;
}

}  // namespace

std::string writeBuildSheetCsv(const BenchCircuit& bench,
                               std::span<const std::string> crystalNames) {
    std::string out = "\xEF\xBB\xBF";
    out += "part,kind,design,fitted,fitted_parallel,stray_pf,unit,crystal,note\n";
    const bool transformer = bench.network.kind == MatchKind::Transformer;
    if (transformer) {
        out += line(transformerRow("Tin", bench.network.turnsRatio));
    }
    std::size_t capacitor = 0;
    std::size_t crystal = 0;
    for (const BuiltPart& part : bench.circuit.parts) {
        if (part.kind == BuiltPartKind::Crystal) {
            for (const std::string& position : crystalPositionNames(part)) {
                SheetRow row;
                row.part = position;
                row.kind = "crystal";
                if (crystal < crystalNames.size()) {
                    row.crystal = quoted(crystalNames[crystal]);
                }
                ++crystal;
                out += line(row);
            }
        } else if (capacitor < bench.capacitors.size() &&
                   bench.capacitors[capacitor].name == part.name) {
            out += line(capacitorRow(bench.capacitors[capacitor++]));
        } else {
            out += line(networkRow(part));
        }
    }
    if (transformer) {
        out += line(transformerRow("Tout", bench.network.turnsRatio));
    }
    return out;
}

}  // namespace trellon
