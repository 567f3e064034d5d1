#include "BuildSheetRows.h"

#include "CircuitTuning.h"
#include "CrystalPositions.h"
#include "NumberText.h"

namespace trellon {

namespace {

BuildSheetRow capacitorRow(const BenchCapacitor& c) {
    BuildSheetRow row;
    row.part = c.name;
    row.kind = "capacitor";
    row.design = c.designPf;
    row.fitted = c.fittedPf;
    if (c.standard && c.standard->second) {
        row.fitted = c.standard->first;
        row.fittedParallel = *c.standard->second;
    }
    row.strayPf = c.strayPf;
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
BuildSheetRow networkRow(const BuiltPart& part) {
    const bool inductor =
        part.kind == BuiltPartKind::SeriesInductor || part.kind == BuiltPartKind::ShuntInductor;
    BuildSheetRow row;
    row.part = part.name;
    row.kind = inductor ? "inductor" : "capacitor";
    row.design = part.value * (inductor ? 1e6 : 1e12);
    row.unit = inductor ? "uH" : "pF";
    return row;
}

BuildSheetRow transformerRow(const std::string& name, double turnsRatio) {
    BuildSheetRow row;
    row.part = name;
    row.kind = "transformer";
    row.design = turnsRatio;
    row.unit = "turns ratio";
    row.note = "filter side to system side";
    return row;
}

}  // namespace

std::vector<BuildSheetRow> buildSheetRows(const BenchCircuit& bench,
                                          std::span<const std::string> crystalNames) {
    std::vector<BuildSheetRow> rows;
    const bool transformer = bench.network.kind == MatchKind::Transformer;
    if (transformer) {
        rows.push_back(transformerRow("Tin", bench.network.turnsRatio));
    }
    std::size_t capacitor = 0;
    std::size_t crystal = 0;
    const std::vector<BuiltPart>& parts = bench.circuit.parts;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const BuiltPart& part = parts[i];
        if (part.kind == BuiltPartKind::Crystal) {
            for (const std::string& position : crystalPositionNames(part)) {
                BuildSheetRow& row = rows.emplace_back();
                row.part = position;
                row.kind = "crystal";
                if (crystal < crystalNames.size()) {
                    row.crystal = crystalNames[crystal];
                }
                ++crystal;
            }
        } else if (capacitor < bench.capacitors.size() &&
                   bench.capacitors[capacitor].name == part.name) {
            BuildSheetRow& row = rows.emplace_back(capacitorRow(bench.capacitors[capacitor++]));
            if (const std::optional<std::string> trimmed = trimmedCrystal(bench.circuit, i)) {
                row.kind = "trimmer";
                row.note = "trimmer of " + *trimmed;
            }
        } else {
            rows.push_back(networkRow(part));
        }
    }
    if (transformer) {
        rows.push_back(transformerRow("Tout", bench.network.turnsRatio));
    }
    return rows;
}

}  // namespace trellon
