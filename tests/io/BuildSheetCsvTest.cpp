#include "BuildSheetCsv.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <vector>

#include "BuildSheetPdf.h"
#include "CircuitTuning.h"
#include "IoTestFolder.h"
#include "NumberText.h"

namespace trellon {
namespace {

BuiltPart part(BuiltPartKind kind, std::string name, double value = 0) {
    BuiltPart p;
    p.kind = kind;
    p.name = std::move(name);
    p.value = value;
    return p;
}

// Two crystals of 9 MHz between shunt capacitors, with 1 kohm ends.
BuiltCircuit twoCrystals() {
    BuiltCircuit circuit;
    circuit.sourceResistance = circuit.loadResistance = 1000;
    circuit.parts = {
        part(BuiltPartKind::ShuntCapacitor, "C1", 40.94e-12), part(BuiltPartKind::Crystal, "ZQ1"),
        part(BuiltPartKind::ShuntCapacitor, "C2", 2e-12), part(BuiltPartKind::Crystal, "ZQ2"),
        part(BuiltPartKind::ShuntCapacitor, "C3", 40.94e-12)};
    return circuit;
}

std::vector<std::string> cells(const std::string& line) {
    std::vector<std::string> out;
    std::istringstream in(line);
    for (std::string cell; std::getline(in, cell, ',');) {
        out.push_back(cell);
    }
    if (!line.empty() && line.back() == ',') {
        out.emplace_back();
    }
    return out;
}

// The sheet lists every part in schematic order with the values the builder fits, readably
// and exactly; the crystals by their batch names, each of a pair in parallel on a row of its own.
TEST(BuildSheetCsv, PartsInSchematicOrderWithFittedValues) {
    const TracedBand band = *TracedBand::between(8'999'000, 9'001'000);
    BuiltCircuit circuit = twoCrystals();
    circuit.parts[1].parallelCrystals = 2;
    numberLadderNodes(circuit);
    const BenchCircuit bench =
        makeBenchCircuit(band, circuit, BenchSettings{12, 1.0, 3, MatchKind::SeriesLShuntC, 5000});
    const std::vector<std::string> names{"X7", "X\"2", "X9"};
    const std::string text = writeBuildSheetCsv(bench, names);
    ASSERT_EQ(text.rfind("\xEF\xBB\xBF", 0), 0u);
    std::istringstream lines(text.substr(3));
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "part,kind,design,fitted,fitted_parallel,stray_pf,unit,crystal,note");
    std::vector<std::vector<std::string>> rows;
    while (std::getline(lines, line)) {
        rows.push_back(cells(line));
        ASSERT_EQ(rows.back().size(), 9u) << line;
    }
    const char* order[] = {"Cin", "Lin", "C1", "ZQ1a", "ZQ1b", "C2", "ZQ2", "C3", "Lout", "Cout"};
    ASSERT_EQ(rows.size(), std::size(order));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i][0], order[i]);
    }
    // 40.94 - 3 = 37.94 pF lies 2.8 % from 39 of E12; 33 + 4.7 lies 0.6 % from it.
    EXPECT_EQ(rows[2][3], "33");
    EXPECT_EQ(rows[2][4], "4.7");
    EXPECT_EQ(rows[2][5], "3");
    EXPECT_EQ(rows[2][6], "pF");
    EXPECT_EQ(TextToFloat(rows[2][2], '.'), bench.capacitors[0].designPf);
    // 2 pF cannot take the 3 pF stray.
    EXPECT_EQ(TextToFloat(rows[5][3], '.'), bench.capacitors[1].designPf);
    EXPECT_FALSE(rows[5][8].empty());
    EXPECT_EQ(rows[3][7], "\"X7\"");
    EXPECT_EQ(rows[4][7], "\"X\"\"2\"");
    EXPECT_EQ(rows[6][7], "\"X9\"");
    EXPECT_EQ(rows[1][6], "uH");
    EXPECT_EQ(TextToFloat(rows[1][2], '.'), bench.network.seriesValue * 1e6);
    EXPECT_EQ(TextToFloat(rows[0][2], '.'), bench.network.shuntValue * 1e12);

    // Matched to a lower resistance, the network's shunt capacitor stands at C1's node: one part,
    // its design value the sum, the two it stands for named with theirs.
    const BenchCircuit merged =
        makeBenchCircuit(band, circuit, BenchSettings{12, 1.0, 3, MatchKind::SeriesLShuntC, 50});
    const std::string mergedSheet = writeBuildSheetCsv(merged, {});
    const std::size_t row = mergedSheet.find("\nCin+C1,capacitor,");
    ASSERT_NE(row, std::string::npos);
    const std::vector<std::string> mergedRow =
        cells(mergedSheet.substr(row + 1, mergedSheet.find('\n', row + 1) - row - 1));
    const double cin = merged.network.shuntValue * 1e12;
    EXPECT_DOUBLE_EQ(TextToFloat(mergedRow[2], '.'), cin + 40.94);
    EXPECT_EQ(mergedRow[8], "one part for Cin " + FormatGeneral(cin, 4, '.') + " pF + C1 40.94 pF");
    EXPECT_NE(mergedSheet.find("\nC3+Cout,capacitor,"), std::string::npos);

    const BenchCircuit transformer =
        makeBenchCircuit(band, circuit, BenchSettings{0, {}, 0, MatchKind::Transformer, 50});
    const std::string sheet = writeBuildSheetCsv(transformer, {});
    EXPECT_NE(sheet.find("\nTin,transformer,"), std::string::npos);
    EXPECT_NE(sheet.find("\nTout,transformer,"), std::string::npos);
}

// A crystal's trimmer reads as that crystal's in both sheets, right after it; the PDF's
// cross-reference table points at every object it lists, and a PDF reader finds the text.
TEST(BuildSheetCsv, TrimmersAndThePdfSheet) {
    const TracedBand band = *TracedBand::between(8'999'000, 9'001'000);
    BuiltCircuit circuit = twoCrystals();
    for (std::size_t i : {1, 3}) {
        circuit.parts[i].crystal.motionalInductance = 17.15e-3;
        circuit.parts[i].crystal.motionalCapacitance = 18.4e-15;
        circuit.parts[i].crystal.motionalResistance = 5.7;
        circuit.parts[i].crystal.holderCapacitance = 3.3e-12;
    }
    numberLadderNodes(circuit);
    const BenchSettings settings{12, {}, 3, MatchKind::None, 50};
    const BenchCircuit tuned = tunedBenchCircuit(makeBenchCircuit(band, circuit, settings),
                                                 CircuitTuning{{}, {{"ZQ2", 220}}, {}}, settings);
    const std::string csv = writeBuildSheetCsv(tuned, {});
    EXPECT_NE(csv.find("\nZQ2,crystal,,,,,,,\nCT2,trimmer,220,220,,0,pF,,trimmer of ZQ2\nC3,"),
              std::string::npos)
        << csv;

    const std::string head[] = {"Fo=9000 kHz"};
    const std::string tail[] = {"Retrim: (done)"};
    const std::string pdf =
        buildSheetPdf(head, tuned, std::vector<std::string>{"X(1)", "X2"}, tail);
    ASSERT_TRUE(pdf.starts_with("%PDF-1.4\n"));
    ASSERT_TRUE(pdf.ends_with("%%EOF\n"));
    const std::size_t startxref = pdf.rfind("startxref\n");
    const std::size_t xref = std::stoul(pdf.substr(startxref + 10));
    ASSERT_EQ(pdf.compare(xref, 5, "xref\n"), 0);
    std::istringstream table(pdf.substr(xref + 5));
    std::size_t first = 0, count = 0;
    table >> first >> count;
    std::string offset, generation, use;
    table >> offset >> generation >> use;  // the free head of the list
    for (std::size_t object = 1; object < count; ++object) {
        table >> offset >> generation >> use;
        ASSERT_EQ(use, "n");
        const std::string opening = std::to_string(object) + " 0 obj\n";
        EXPECT_EQ(pdf.compare(std::stoul(offset), opening.size(), opening), 0) << object;
    }
    // The text as drawn: a delimiter inside a name escaped, every stream's length its own.
    EXPECT_NE(pdf.find("(X\\(1\\)) Tj"), std::string::npos);
    EXPECT_NE(pdf.find("(trimmer of ZQ2) Tj"), std::string::npos);
    if (std::system("pdftotext -v >/dev/null 2>&1") == 0) {
        const test::IoTestFolder folder;
        const std::string path = folder.write("sheet.pdf", pdf);
        ASSERT_EQ(std::system(("pdftotext -layout '" + path + "' '" + path + ".txt'").c_str()), 0);
        const std::string text = test::contentOf(path + ".txt");
        EXPECT_NE(text.find("trimmer of ZQ2"), std::string::npos) << text;
        EXPECT_NE(text.find("Retrim: (done)"), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace trellon
