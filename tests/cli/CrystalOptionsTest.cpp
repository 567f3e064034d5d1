#include "CrystalOptions.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <nlohmann/json.hpp>
#include <set>

#include "../io/IoTestFolder.h"
#include "BuiltFilter.h"
#include "BuiltFilterReport.h"
#include "CalculatedRun.h"
#include "CliRun.h"
#include "CrystalBatchCsv.h"
#include "CrystalFormulas.h"
#include "MeasuredCrystalModel.h"
#include "MonteCarlo.h"
#include "Ngspice.h"
#include "NumberText.h"
#include "Touchstone.h"

namespace trellon {
namespace {

// The 8-crystal CW design with the start-up inputs, as the command line calculates it.
const std::vector<std::string> kDesign{"--topology", "7", "--response", "8"};

std::vector<std::string> withDesign(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), kDesign.begin(), kDesign.end());
    return arguments;
}

// `count` crystals around the design's own, each a little off in every value.
std::vector<MeasuredCrystal> spreadCrystals(const DesignState& s, int count) {
    std::vector<MeasuredCrystal> crystals;
    for (int i = 0; i < count; ++i) {
        MeasuredCrystal crystal = nominalMeasuredCrystal(s, "Q" + std::to_string(i + 1));
        crystal.fsKhz += 0.011 * ((i * 7) % count) - 0.04;
        crystal.lmMh *= 1 + 0.004 * (i % 5);
        crystal.rmOhm += 0.3 * (i % 3);
        crystal.c0Pf += 0.05 * (i % 4);
        crystals.push_back(crystal);
    }
    return crystals;
}

std::string writeBatch(const test::IoTestFolder& folder, const std::string& name,
                       const std::vector<MeasuredCrystal>& crystals) {
    return folder.write(name, writeCrystalBatchCsv(CrystalBatch{crystals}));
}

std::vector<double> column(const std::vector<std::vector<std::string>>& rows, std::size_t c) {
    std::vector<double> values;
    for (std::size_t r = 1; r < rows.size(); ++r) {
        values.push_back(TextToFloat(rows[r].at(c), '.'));
    }
    return values;
}

// The filter with measured crystals: its report block follows the usual output, which stays as
// it was; the JSON figures, the points in both level modes and the SPICE deck (run in ngspice)
// are those of the engine's built filter.
TEST(CliCrystals, BuiltFilterReportPointsJsonAndDeck) {
    const test::IoTestFolder folder;
    CalculatedRun design(7, 8);
    const DesignState& s = design.state();
    const std::shared_ptr<const CalculatedDesign> calculated = design.calculated();
    const CalculatedDesign& d = *calculated;
    const std::vector<MeasuredCrystal> crystals = spreadCrystals(s, 8);
    const std::string batch = writeBatch(folder, "eight.csv", crystals);
    const std::string points = folder.pathOf("points.csv");
    const std::string absolutePoints = folder.pathOf("absolute.csv");
    const std::string deck = folder.pathOf("built.cir");

    const CliResult plain = runCli(kDesign);
    const CliResult text =
        runCli(withDesign({"--crystals", batch, "--built-points", points, "--spice", deck}));
    ASSERT_EQ(text.status, 0) << text.err;
    const BuiltCircuit circuit = makeBuiltFilter(d, crystals);
    const BuiltFilterResult built = solveBuiltFilter(d, circuit, builtCurveFrequencies(d.band), 1);
    std::vector<std::string> names;
    for (const MeasuredCrystal& crystal : crystals) {
        names.push_back(crystal.name);
    }
    const BuiltFilterReportLines block = builtFilterReportLines(d, built, names, '.');
    std::string expected = plain.out + "--\n";
    for (const auto* lines : {&block.results, &block.log}) {
        for (const std::string& line : *lines) {
            expected += line + '\n';
        }
    }
    EXPECT_EQ(text.out, expected);

    const CliResult json = runCli(withDesign(
        {"--crystals", batch, "--built-points", absolutePoints, "--absolute", "--json"}));
    ASSERT_EQ(json.status, 0) << json.err;
    const nlohmann::json b = nlohmann::json::parse(json.out).at("built");
    const CurveFigures& f = built.figures;
    EXPECT_EQ(b.at("levelAtFo").get<double>(), built.levelAtFo);
    EXPECT_EQ(b.at("amin").get<double>(), f.amin);
    EXPECT_EQ(b.at("fAmin").get<double>(), f.fAmin);
    EXPECT_EQ(b.at("bandLow").get<double>(), f.bandLow);
    EXPECT_EQ(b.at("bandHigh").get<double>(), f.bandHigh);
    EXPECT_EQ(b.at("bandwidth").get<double>(), f.bandwidth);
    EXPECT_EQ(b.at("ripple").get<double>(), f.ripple);

    // The points lie at the ideal curve's abscissae; 17 digits read back as the same doubles.
    const std::vector<double> frequencies = idealTraceFrequencies(d.band);
    const BuiltFilterResult atTrace = solveBuiltFilter(d, circuit, frequencies, 1);
    const auto relative = csvRows(fileText(points));
    const auto absolute = csvRows(fileText(absolutePoints));
    ASSERT_EQ(relative.at(0), (std::vector<std::string>{"detuning_khz", "level_db"}));
    ASSERT_EQ(relative.size(), frequencies.size() + 1);
    ASSERT_EQ(absolute.size(), frequencies.size() + 1);
    const std::vector<double> x = column(relative, 0), level = column(relative, 1);
    const std::vector<double> absoluteLevel = column(absolute, 1);
    for (std::size_t i = 0; i < frequencies.size(); ++i) {
        ASSERT_EQ(x[i], design.run.engine->curve.x()[i]) << i;
        ASSERT_EQ(level[i], displayedLevel(atTrace.levelsDb[i], f, false)) << i;
        ASSERT_EQ(absoluteLevel[i], displayedLevel(atTrace.levelsDb[i], f, true)) << i;
    }

    // The deck is the built filter's: ngspice agrees with the engine at the traced points,
    // which follow the 11 points from Fo up.
    const std::vector<SpicePoint> table = printedTable(runNgspice(fileText(deck), "cli-built"));
    ASSERT_EQ(table.size(), 11 + frequencies.size());
    std::vector<double> traced;
    for (std::size_t i = 11; i < table.size(); ++i) {
        traced.push_back(table[i].frequency);
    }
    const BuiltFilterResult atDeck = solveBuiltFilter(d, circuit, traced, 1);
    for (std::size_t i = 0; i < traced.size(); ++i) {
        ASSERT_NEAR(table[i + 11].levelDb, atDeck.levelsDb[i], 1e-6) << traced[i];
    }
}

// Choosing from a batch prints the placement first and then exactly what --crystals prints for
// the chosen crystals in that order; the choice is never worse than the naive one.
// The Touchstone file of a filter with given crystals is of those crystals, spurious modes and
// all, not of the nominal circuit: each crystal's mode 20 kHz above Fs lets through what the
// crystals without it stop.
TEST(CliCrystals, TouchstoneWithCrystalsHoldsTheirSpuriousModes) {
    const test::IoTestFolder folder;
    CalculatedRun design(7, 8);
    std::vector<MeasuredCrystal> crystals = spreadCrystals(design.state(), 8);
    const std::string plain = writeBatch(folder, "plain.csv", crystals);
    for (MeasuredCrystal& crystal : crystals) {
        crystal.spurious = {{20, 60, 80}};
    }
    const std::string spurred = writeBatch(folder, "spurred.csv", crystals);
    const double spurHz = crystals[0].fsKhz * 1e3 + 20e3;
    const auto worstAroundSpur = [&](const std::string& batch) {
        const std::string s2p = folder.pathOf("span.s2p");
        const CliResult run = runCli(withDesign(
            {"--crystals", batch, "--span-khz", "30", "--span-points", "1201", "--s2p", s2p}));
        EXPECT_EQ(run.status, 0) << run.err;
        const TwoPortData data = readTouchstone(fileText(s2p), "span.s2p");
        double worst = -1000;
        for (std::size_t i = 0; i < data.frequencyHz.size(); ++i) {
            if (std::abs(data.frequencyHz[i] - spurHz) < 1e3) {
                worst =
                    std::max(worst, 20 * std::log10(std::hypot(data.s21[i].re, data.s21[i].im)));
            }
        }
        return worst;
    };
    EXPECT_GT(worstAroundSpur(spurred), worstAroundSpur(plain) + 40);
}

TEST(CliCrystals, ChoiceFromABatch) {
    const test::IoTestFolder folder;
    CalculatedRun design(7, 8);
    const std::vector<MeasuredCrystal> crystals = spreadCrystals(design.state(), 12);
    const std::string batch = writeBatch(folder, "twelve.csv", crystals);

    const CliResult text = runCli(withDesign({"--choose-from", batch, "--threads", "2"}));
    ASSERT_EQ(text.status, 0) << text.err;
    const CliResult json = runCli(withDesign({"--choose-from", batch, "--json"}));
    ASSERT_EQ(json.status, 0) << json.err;
    const nlohmann::json report = nlohmann::json::parse(json.out);
    const std::vector<std::string> choice = report.at("choice");
    ASSERT_EQ(choice.size(), 8u);
    EXPECT_EQ(std::set<std::string>(choice.begin(), choice.end()).size(), 8u);
    const double best = report.at("measure").at("best");
    const double naive = report.at("measure").at("naive");
    EXPECT_LE(best, naive);

    std::string placement;
    std::vector<MeasuredCrystal> chosen;
    for (std::size_t i = 0; i < choice.size(); ++i) {
        placement += "ZQ" + std::to_string(i + 1) + "=" + choice[i] + "\n";
        const auto found = std::find_if(crystals.begin(), crystals.end(),
                                        [&](const auto& c) { return c.name == choice[i]; });
        ASSERT_NE(found, crystals.end()) << choice[i];
        chosen.push_back(*found);
    }
    const CliResult given =
        runCli(withDesign({"--crystals", writeBatch(folder, "chosen.csv", chosen)}));
    EXPECT_EQ(text.out, placement + given.out);
}

// A batch measured in an oscillator at two loads reads as the crystals it gives: --choose-from
// prints exactly what their batch in the program's columns prints, and chooses as the crystals
// the frequencies were worked out from.
TEST(CliCrystals, OscillatorShiftBatchChoosesAsItsCrystals) {
    const test::IoTestFolder folder;
    CalculatedRun design(7, 8);
    const std::vector<MeasuredCrystal> crystals = spreadCrystals(design.state(), 12);
    std::string shifts = "name;f1_khz;f2_khz;cl1_pf;cl2_pf;c0_pf;rm_ohm\n";
    for (const MeasuredCrystal& c : crystals) {
        const double cm = motionalCapacitance(c.fsKhz * 1e3, c.lmMh * 1e-3, kTwoPiExact);
        const auto khzAt = [&](double clPf) {
            return FormatExact(c.fsKhz * std::sqrt(1 + cm / ((c.c0Pf + clPf) * 1e-12)));
        };
        shifts += c.name + ';' + khzAt(20) + ';' + khzAt(30) + ";20;30;" + FormatExact(c.c0Pf) +
                  ';' + FormatExact(c.rmOhm) + '\n';
    }
    const CrystalBatch read = readCrystalBatchCsv(shifts, "shifts.csv");
    const CliResult fromShifts =
        runCli(withDesign({"--choose-from", folder.write("shifts.csv", shifts), "--threads", "2"}));
    ASSERT_EQ(fromShifts.status, 0) << fromShifts.err;
    EXPECT_EQ(fromShifts.out,
              runCli(withDesign({"--choose-from", writeBatch(folder, "read.csv", read.crystals),
                                 "--threads", "2"}))
                  .out);
    const CliResult original = runCli(withDesign(
        {"--choose-from", writeBatch(folder, "original.csv", crystals), "--threads", "2"}));
    const auto placement = [](const std::string& out) { return out.substr(0, out.find("\n\n")); };
    EXPECT_EQ(placement(fromShifts.out).substr(0, 3), "ZQ1");
    EXPECT_EQ(placement(fromShifts.out), placement(original.out));
}

// The Monte-Carlo gives the engine's figures and envelopes whatever the thread count, and the
// targets it held the samples to; the envelopes are in the chosen level mode, relative to the
// design's Amin.
TEST(CliCrystals, MonteCarloJsonAndEnvelope) {
    const test::IoTestFolder folder;
    const std::vector<std::string> run =
        withDesign({"--monte-carlo=40", "--grid-points=101", "--sigma-fs=20", "--sigma-lm=1",
                    "--sigma-rm=5", "--sigma-c0=2", "--cap-tolerance=2", "--stray=0.5", "--seed=7",
                    "--max-ripple=1.2", "--bandwidth-tolerance=4", "--max-loss=4", "--json"});
    auto withThreads = [&](const std::string& threads, const std::string& envelope) {
        std::vector<std::string> arguments = run;
        arguments.insert(arguments.end(), {"--threads=" + threads, "--envelope=" + envelope});
        return runCli(arguments);
    };
    const std::string one = folder.pathOf("one.csv"), two = folder.pathOf("two.csv");
    const CliResult single = withThreads("1", one);
    const CliResult dual = withThreads("2", two);
    ASSERT_EQ(single.status, 0) << single.err;
    EXPECT_EQ(single.out, dual.out);
    EXPECT_EQ(fileText(one), fileText(two));

    CalculatedRun design(7, 8);
    const DesignState& s = design.state();
    const std::shared_ptr<const CalculatedDesign> calculated = design.calculated();
    const CalculatedDesign& d = *calculated;
    MonteCarloSettings settings;
    settings.samples = 40;
    settings.gridPoints = 101;
    settings.seed = 7;
    settings.spread = {20, 1, 5, 2, 2, 0.5};
    settings.targets = {
        .kind = TargetKind::Absolute, .maxRippleDb = 1.2, .bandwidthTolerancePercent = 4};
    settings.targets.maxLossDb = 4;
    std::atomic<bool> cancel{false};
    const MonteCarloResult expected =
        *RunMonteCarlo(d, makeBuiltCircuit(s), settings, nullptr, cancel);
    const nlohmann::json mc = nlohmann::json::parse(single.out).at("monteCarlo");
    EXPECT_EQ(mc.at("samples"), 40);
    EXPECT_EQ(mc.at("yield").get<double>(), expected.yield);
    // An absolute target given makes the targets absolute.
    EXPECT_EQ(mc.at("targets"), nlohmann::json::parse(R"({"kind": "absolute", "maxLossDb": 4,
        "maxRippleDb": 1.2, "bandwidthTolerancePercent": 4})"));
    const std::pair<const char*, const Percentiles*> figures[] = {
        {"bandwidth", &expected.bandwidthPercentiles},
        {"ripple", &expected.ripplePercentiles},
        {"loss", &expected.lossPercentiles}};
    for (const auto& [key, p] : figures) {
        EXPECT_EQ(mc.at(key).at("p5").get<double>(), p->p5) << key;
        EXPECT_EQ(mc.at(key).at("p50").get<double>(), p->p50) << key;
        EXPECT_EQ(mc.at(key).at("p95").get<double>(), p->p95) << key;
    }

    const auto rows = csvRows(fileText(one));
    ASSERT_EQ(rows.size(), 102u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"detuning_khz", "p5_db", "p50_db", "p95_db"}));
    CurveFigures designFigures;
    designFigures.amin = s.Amin;
    const std::vector<double>* envelopes[] = {&expected.p5Db, &expected.p50Db, &expected.p95Db};
    for (std::size_t i = 0; i < 101; ++i) {
        ASSERT_EQ(TextToFloat(rows[i + 1][0], '.'),
                  (expected.frequenciesHz[i] - s.Fo * 1000) / 1000);
        for (std::size_t e = 0; e < 3; ++e) {
            ASSERT_EQ(TextToFloat(rows[i + 1][e + 1], '.'),
                      displayedLevel((*envelopes[e])[i], designFigures, false))
                << i;
        }
    }
}

// Values the options cannot take are bad usage; a batch that does not fit the filter and a file
// that cannot be written fail the run with the file's name, after the results.
TEST(CliCrystals, BadValuesAndFiles) {
    for (const std::vector<std::string>& misuse :
         std::vector<std::vector<std::string>>{{"--monte-carlo", "0"},
                                               {"--monte-carlo", "12x"},
                                               {"--monte-carlo", "100000", "--grid-points", "801"},
                                               {"--grid-points", "1"},
                                               {"--sigma-fs", "-1"},
                                               {"--sigma-lm", "lots"},
                                               {"--cap-tolerance", "100"},
                                               {"--stray=-0.1"},
                                               {"--seed", "-1"},
                                               {"--threads", "1000"},
                                               {"--max-ripple", "inf"},
                                               {"--targets", "both"},
                                               {"--max-loss", "3", "--targets", "relative"},
                                               {"--loss-margin", "1", "--targets", "absolute"},
                                               {"--crystals", "a.csv", "--choose-from", "b.csv"},
                                               {"--built-points", "p.csv"},
                                               {"--envelope", "e.csv"}}) {
        const CliResult r = runCli(misuse);
        EXPECT_EQ(r.status, 2) << misuse[0];
        EXPECT_TRUE(r.out.empty()) << misuse[0];
        EXPECT_EQ(r.err.rfind("trellon-cli: --", 0), 0u) << r.err;
    }
    EXPECT_EQ(runCli({"--monte-carlo", "1", "--sigma-fs", "12,5"}).status, 0);

    const test::IoTestFolder folder;
    CalculatedRun design(7, 8);
    const std::string seven = writeBatch(folder, "seven.csv", spreadCrystals(design.state(), 7));
    const CliResult few = runCli(withDesign({"--crystals", seven}));
    EXPECT_EQ(few.status, 1);
    EXPECT_TRUE(few.hasLine("EditRin=1327")) << few.out;
    EXPECT_EQ(few.err, "Cannot read the crystal batch '" + seven +
                           "': the filter needs 8 crystals, one per position; the file holds 7\n");
    const CliResult tooFew = runCli(withDesign({"--choose-from", seven}));
    EXPECT_EQ(tooFew.status, 1);
    EXPECT_NE(tooFew.err.find("needs at least 8 crystals"), std::string::npos) << tooFew.err;
    const std::string bad = folder.write("bad.csv", "name,fs_khz,lm_mh,rm_ohm,c0_pf\nA,1,2,3\n");
    const CliResult malformed = runCli(withDesign({"--choose-from", bad}));
    EXPECT_EQ(malformed.status, 1);
    EXPECT_NE(malformed.err.find("bad.csv', line 2:"), std::string::npos) << malformed.err;

    const CliResult device =
        runCli({"--monte-carlo", "2", "--grid-points", "11", "--envelope", "/dev/full"});
    EXPECT_EQ(device.status, 1);
    EXPECT_NE(device.out.find("\nMonte-Carlo: 2 samples;"), std::string::npos) << device.out;
    EXPECT_EQ(device.err,
              "Cannot create the envelope file '/dev/full': it is not a regular file\n");
}

}  // namespace
}  // namespace trellon
