#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "../io/IoTestFolder.h"
#include "BuiltFilter.h"
#include "CalculatedRun.h"
#include "CircuitTuning.h"
#include "CliRun.h"
#include "CrystalBatchCsv.h"
#include "Ngspice.h"
#include "NumberText.h"

namespace trellon {
namespace {

const std::string kBatch = TRELLON_EXAMPLE_SWEEPS "/../batch-8863khz.csv";

// The retrim's options are refused before anything is calculated when they cannot work, each
// refusal naming what is wrong; a free capacitor the filter lacks fails the run, named.
TEST(RetrimCli, RefusalsNameWhatIsWrong) {
    const std::vector<std::string> choose{"--topology", "2", "--choose-from", kBatch, "--retrim"};
    const auto with = [&](std::vector<std::string> more) {
        more.insert(more.begin(), choose.begin(), choose.end());
        return more;
    };
    const std::pair<std::vector<std::string>, std::string> misuses[] = {
        {{"--retrim"}, "--retrim needs --crystals or --choose-from"},
        {{"--retrim-free", "C3"}, "--retrim-free needs --retrim"},
        {{"--retrim-symmetric"}, "--retrim-symmetric needs --retrim"},
        {{"--trimmers", "10:100"}, "--trimmers needs --retrim"},
        {with({"--trimmers", "100:10"}), "--trimmers takes MIN:MAX"},
        {with({"--trimmers", "0:10"}), "--trimmers takes MIN:MAX"},
        {with({"--trimmers", "inf:1e400"}), "--trimmers takes MIN:MAX"},
        {with({"--trimmers", "10"}), "--trimmers takes MIN:MAX"},
        {with({"--retrim-free", "C1,,C3"}), "--retrim-free takes capacitor names"},
        {{"--build-sheet", "sheet.txt"}, "--build-sheet writes a .csv or a .pdf file"},
    };
    for (const auto& [arguments, message] : misuses) {
        const CliResult r = runCli(arguments);
        EXPECT_EQ(r.status, 2) << message;
        EXPECT_NE(r.err.find("trellon-cli: " + message), std::string::npos) << r.err;
    }
    const CliResult unknown = runCli(with({"--retrim-free", "C3,C9"}));
    EXPECT_EQ(unknown.status, 1);
    EXPECT_NE(unknown.err.find("the filter has no capacitor C9 (its capacitors: C1, C2, C3, C4, "
                               "C5)"),
              std::string::npos)
        << unknown.err;
}

// The 8-crystal CW filter with crystals chosen from a batch, retrimmed: never worse than before,
// and the deck, the built points and the build sheet are all of the filter with the values the
// JSON gives. ngspice on the deck agrees with the engine on that filter within 1e-6 dB.
TEST(RetrimCli, EveryFileHoldsTheRetrimmedFilter) {
    const test::IoTestFolder folder;
    const std::string deck = folder.pathOf("retrimmed.cir");
    const std::string points = folder.pathOf("points.csv");
    const std::string sheet = folder.pathOf("sheet.pdf");
    const CliResult run =
        runCli({"--topology", "7", "--response", "8", "--choose-from", kBatch, "--retrim", "--json",
                "--absolute", "--spice", deck, "--built-points", points, "--build-sheet", sheet});
    ASSERT_EQ(run.status, 0) << run.err;
    const nlohmann::json json = nlohmann::json::parse(run.out);
    const nlohmann::json& retrim = json.at("retrim");
    EXPECT_LE(retrim.at("after").get<double>(), retrim.at("before").get<double>());
    EXPECT_FALSE(retrim.contains("plainRounding"));  // nothing is rounded
    EXPECT_FALSE(retrim.contains("trimmers"));

    // The filter rebuilt here from the batch, the choice and the retrimmed values.
    CalculatedRun design(7, 8, true);
    const std::shared_ptr<const CalculatedDesign> calculated = design.calculated();
    const CalculatedDesign& d = *calculated;
    const CrystalBatch batch = readCrystalBatchCsv(fileText(kBatch), kBatch);
    std::vector<MeasuredCrystal> placed;
    for (const nlohmann::json& name : json.at("choice")) {
        for (const MeasuredCrystal& crystal : batch.crystals) {
            if (crystal.name == name.get<std::string>()) {
                placed.push_back(crystal);
            }
        }
    }
    const BenchSettings none{0, {}, 0, MatchKind::None, 50};
    CircuitTuning tuning;
    for (const auto& [name, change] : retrim.at("capacitors").items()) {
        tuning.capacitorsPf[name] = change.at("to").get<double>();
    }
    const BenchCircuit tuned =
        tunedBenchCircuit(makeBenchCircuit(d.band, makeBuiltFilter(d, placed), none), tuning, none);

    const std::vector<std::vector<std::string>> rows = csvRows(fileText(points));
    const std::vector<double> frequencies = idealTraceFrequencies(d.band);
    ASSERT_EQ(rows.size(), frequencies.size() + 1);
    const BuiltFilterResult atTrace = solveBuiltFilter(d, tuned.circuit, frequencies, 1);
    for (std::size_t i = 0; i < frequencies.size(); ++i) {
        ASSERT_NEAR(TextToFloat(rows[i + 1][1], '.'),
                    displayedLevel(atTrace.levelsDb[i], atTrace.figures, true), 1e-9)
            << i;
    }
    const std::vector<SpicePoint> table = printedTable(runNgspice(fileText(deck), "retrim"));
    ASSERT_EQ(table.size(), 11 + frequencies.size());
    std::vector<double> printed;
    for (const SpicePoint& point : table) {
        printed.push_back(point.frequency);
    }
    const BuiltFilterResult atDeck = solveBuiltFilter(d, tuned.circuit, printed, 1);
    for (std::size_t i = 0; i < table.size(); ++i) {
        ASSERT_NEAR(table[i].levelDb, atDeck.levelsDb[i], 1e-6) << table[i].frequency;
    }

    const std::string pdf = fileText(sheet);
    EXPECT_TRUE(pdf.starts_with("%PDF-1.4\n") && pdf.ends_with("%%EOF\n"));
    EXPECT_NE(pdf.find("(Retrim: shape measure "), std::string::npos);
}

}  // namespace
}  // namespace trellon
