#include "CliRunner.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <new>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>
#include <utility>

#include "../io/IoTestFolder.h"
#include "CliRun.h"
#include "CommandError.h"
#include "CrystalBatchCsv.h"
#include "CrystalSweeps.h"
#include "DesignRun.h"
#include "GuardedRun.h"
#include "NumberText.h"
#include "TinyFileSizeLimit.h"
#include "Touchstone.h"

namespace trellon {
namespace {

TEST(Cli, EightCrystalCwPrintsItsElementValues) {
    const CliResult r = runCli({"--topology", "7", "--response", "8"});
    EXPECT_EQ(r.status, 0) << r.err;
    for (const char* line :
         {"EditRin=1327", "EditC1=40.94", "EditC2=86.5", "EditC3=32.82", "EditC4Cw8=22.73",
          "EditC5Cw8=28.22", "EditC6Cw8=104.5", "EditC7Cw8=29.82", "EditC8Cw8=19.59"}) {
        EXPECT_TRUE(r.hasLine(line)) << line << " missing in\n" << r.out;
    }
}

TEST(Cli, ExitStatusTellsCompletedStoppedOrMisused) {
    const CliResult stopped = runCli({"--rd", "0"});
    EXPECT_EQ(stopped.status, 1);
    EXPECT_NE(stopped.err.find("Активное сопротивление должно быть отлично от нуля !"),
              std::string::npos);
    const CliResult notANumber = runCli({"--ld", "17.15x"});
    EXPECT_EQ(notANumber.status, 1);
    EXPECT_NE(notANumber.err.find("'17.15x' is not a valid floating point value"),
              std::string::npos);
    for (const std::vector<std::string>& misuse :
         std::vector<std::vector<std::string>>{{"--bogus", "1"},
                                               {"--topology", "9"},
                                               {"--response=0"},
                                               {"--fo"},
                                               {"8863"},
                                               {"--json=yes"}}) {
        const CliResult r = runCli(misuse);
        EXPECT_EQ(r.status, 2) << misuse[0];
        EXPECT_TRUE(r.out.empty()) << misuse[0];
        EXPECT_FALSE(r.err.empty()) << misuse[0];
    }
}

// The program's own failures end the run with a message and status 1, never with an abort;
// a message meant for the user keeps its text, and a clean run keeps its status.
TEST(Cli, EscapingFailuresBecomeOneMessageAndStatusOne) {
    const auto guarded = [](const std::function<int()>& command) {
        std::ostringstream err;
        const int status = cli::runGuarded(command, err);
        return std::make_pair(status, err.str());
    };
    EXPECT_EQ(guarded([] { return 2; }), std::make_pair(2, std::string()));
    EXPECT_EQ(guarded([]() -> int { throw CommandError("the file is gone"); }),
              std::make_pair(1, std::string("the file is gone\n")));
    EXPECT_EQ(guarded([]() -> int { throw std::logic_error("no topology 9"); }),
              std::make_pair(1, std::string("internal error: no topology 9\n")));
    EXPECT_EQ(guarded([]() -> int { throw std::bad_alloc(); }),
              std::make_pair(1, std::string("internal error: out of memory\n")));
    EXPECT_EQ(guarded([]() -> int { throw 42; }),
              std::make_pair(1, std::string("internal error: unknown exception\n")));
}

TEST(Cli, OptionValuesMayFollowAnEqualsSignOrTheNextArgument) {
    const CliResult spaced = runCli({"--topology", "2", "--response", "2", "--ld", "17.15"});
    const CliResult joined = runCli({"--topology=2", "--response=2", "--ld=17.15"});
    EXPECT_EQ(spaced.status, 0);
    EXPECT_TRUE(spaced.hasLine("EditRin=395"));
    EXPECT_EQ(joined.out, spaced.out);
    EXPECT_EQ(runCli({"--level=-10"}).status, 0);
}

TEST(Cli, FieldsUseTheDecimalSeparator) {
    const CliResult chosen = runCli({"--decimal-separator", ","});
    EXPECT_EQ(chosen.status, 0) << chosen.err;
    EXPECT_TRUE(chosen.hasLine("EditRin=501,1"));
    EXPECT_TRUE(chosen.hasLine("EditC1=25,34"));
    // The system's separator is the default; typed numbers may use either mark.
    const CliResult system = runCli({"--fo", "8863,682"}, ',');
    EXPECT_TRUE(system.hasLine("EditC2=76,02"));
}

// The JSON numbers read back as the very doubles the engine computed.
TEST(Cli, JsonIsOneObjectWithExactNumbers) {
    const CliResult r = runCli({"--topology", "7", "--response", "8", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const nlohmann::json json = nlohmann::json::parse(r.out);
    ASSERT_TRUE(json.is_object());

    DesignRun run;
    ASSERT_TRUE(run.synthesize(7, 8));
    const DesignState& s = run.state();
    EXPECT_EQ(json.at("tableKey"), "T08C-54-");
    EXPECT_EQ(json.at("rterm").get<double>(), s.Rsource);
    EXPECT_EQ(json.at("rin").get<double>(), s.Rin);
    EXPECT_EQ(json.at("cq").get<double>(), s.Cq);
    EXPECT_EQ(json.at("levelAtFo").get<double>(), s.LevelAtFo);
    EXPECT_EQ(json.at("attenuationAtFo").get<double>(), s.AttenuationAtFo);
    const std::vector<double> cap = json.at("cap");
    ASSERT_EQ(cap.size(), 25u);
    for (int slot = 1; slot <= 25; ++slot) {
        EXPECT_EQ(cap[slot - 1], s.Cap[slot]) << "slot " << slot;
    }
    EXPECT_EQ(json.at("messages"), nlohmann::json::array());
    EXPECT_TRUE(json.at("pointCount").is_number_integer());

    // A typed text that is not UTF-8 comes back in the message with a replacement character.
    const CliResult bytes = runCli({"--ld", "17\xFF", "--json"});
    EXPECT_EQ(bytes.status, 1);
    EXPECT_EQ(nlohmann::json::parse(bytes.out).at("messages").at(0),
              "'17\uFFFD' is not a valid floating point value");
}

// A file that cannot be written fails the run after the results, with the name and the reason,
// and leaves what was there before; the files after it are still written.
TEST(Cli, FileThatCannotBeWrittenFailsTheRunAfterTheResults) {
    const CliResult device = runCli({"--spice", "/dev/full", "--points", "-"});
    EXPECT_EQ(device.status, 1);
    EXPECT_TRUE(device.hasLine("EditRin=501.1")) << device.out;
    EXPECT_EQ(device.err, "Cannot create the SPICE deck '/dev/full': it is not a regular file\n");
    EXPECT_NE(device.out.find("\ndetuning_khz,level_db\n"), std::string::npos) << device.out;

    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("trellon-cli-" + std::to_string(getpid()) + ".csv");
    std::ofstream(file) << "old";
    CliResult cut;
    {
        test::TinyFileSizeLimit limit;
        cut = runCli({"--points", file.string()});
    }
    std::ifstream in(file);
    const std::string kept((std::istreambuf_iterator<char>(in)), {});
    std::filesystem::remove(file);
    EXPECT_EQ(cut.status, 1);
    EXPECT_EQ(cut.err, "Cannot write the points file '" + file.string() + "': File too large\n");
    EXPECT_EQ(kept, "old");

    // "-" is standard output: the table follows the results there.
    const CliResult out = runCli({"--points", "-"});
    EXPECT_EQ(out.status, 0) << out.err;
    EXPECT_NE(out.out.find("\ndetuning_khz,level_db\n"), std::string::npos) << out.out;
}

TEST(Cli, SpiceOptionWritesADeck) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("trellon-cli-" + std::to_string(getpid()) + ".cir");
    const CliResult r = runCli({"--topology", "3", "--spice", file.string()});
    EXPECT_EQ(r.status, 0) << r.err;
    std::ifstream in(file);
    const std::string deck((std::istreambuf_iterator<char>(in)), {});
    std::filesystem::remove(file);
    EXPECT_TRUE(deck.starts_with("* Trellon")) << deck;
    EXPECT_NE(deck.find("\nR11 n11 0 "), std::string::npos) << deck;
    EXPECT_NE(deck.find("\nac lin "), std::string::npos) << deck;
    EXPECT_TRUE(deck.ends_with(".end\n")) << deck;
}

// The table holds the chart's own levels at the traced points; the Touchstone file over a span,
// read back as a measurement, gives the report's Amin (within the 0.01 dB of the schematic's
// ends) and bandwidth (within 1 Hz of the sweep's 1 Hz steps), in its own block after the log
// and in the JSON; a malformed measurement fails the run with its line after the results.
TEST(Cli, ResponseTableTouchstoneAndMeasuredReport) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      ("trellon-cli-response-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string table = (dir / "table.csv").string();
    const std::string points = (dir / "points.csv").string();
    const std::string s2p = (dir / "span.s2p").string();
    const CliResult traced = runCli({"--topology", "4", "--table", table, "--points", points});
    ASSERT_EQ(traced.status, 0) << traced.err;
    const auto rows = csvRows(fileText(table));
    const auto chart = csvRows(fileText(points));
    ASSERT_EQ(rows.size(), chart.size());
    EXPECT_EQ(rows[0],
              (std::vector<std::string>{"frequency_hz", "detuning_khz", "level_db", "phase_deg",
                                        "group_delay_us", "return_loss_db", "zin_re", "zin_im"}));
    for (std::size_t i = 1; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].size(), 8u) << i;
        EXPECT_EQ(rows[i][1], chart[i][0]);
        EXPECT_EQ(rows[i][2], chart[i][1]);
    }

    ASSERT_EQ(runCli({"--topology", "4", "--span-khz", "6", "--span-points", "2401", "--s2p", s2p})
                  .status,
              0);
    const CliResult text = runCli({"--topology", "4", "--measured", s2p});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("=\n \n---------------- [Measured: span.s2p] ----------------\nAmin="),
              std::string::npos)
        << text.out;
    const CliResult json = runCli({"--topology", "4", "--measured", s2p, "--json"});
    const nlohmann::json report = nlohmann::json::parse(json.out);
    const nlohmann::json& measured = report.at("measured");
    EXPECT_NEAR(measured.at("amin").get<double>(), report.at("amin").get<double>(), 0.01);
    EXPECT_NEAR(measured.at("bandLow").get<double>(), report.at("bandLow").get<double>(), 1);
    EXPECT_NEAR(measured.at("bandHigh").get<double>(), report.at("bandHigh").get<double>(), 1);
    EXPECT_NEAR(measured.at("bandwidth").get<double>(), report.at("bandwidth").get<double>(), 2);

    std::ofstream(dir / "bad.s2p") << "# Hz S RI R 50\n1 2 3\n";
    const CliResult bad = runCli({"--topology", "4", "--measured", (dir / "bad.s2p").string()});
    std::filesystem::remove_all(dir);
    EXPECT_EQ(bad.status, 1);
    // The results are printed as usual before the failure.
    EXPECT_TRUE(bad.hasLine(traced.out.substr(0, traced.out.find('\n')))) << bad.out;
    EXPECT_NE(bad.err.find("bad.s2p', line 2:"), std::string::npos) << bad.err;
}

// A wide span stays above 0 Hz with its points at least 1 mHz apart: the spans at those limits
// are written and read back; a span beyond either is refused with a message (the band centre of
// this design is 8866.6635 kHz).
TEST(Cli, WideSpanStaysAboveZeroWithDistinctFrequencies) {
    const std::filesystem::path s2p = std::filesystem::temp_directory_path() /
                                      ("trellon-cli-span-" + std::to_string(getpid()) + ".s2p");
    for (const auto& [halfWidthKhz, points] : {std::pair{"8866.66", "2001"}, {"0.001", "2001"}}) {
        SCOPED_TRACE(halfWidthKhz);
        const CliResult r = runCli({"--topology", "4", "--span-khz", halfWidthKhz, "--span-points",
                                    points, "--s2p", s2p.string()});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(readTouchstone(fileText(s2p), "span.s2p").frequencyHz.size(), 2001u);
    }
    std::filesystem::remove(s2p);
    const struct {
        const char* halfWidthKhz;
        const char* points;
        const char* message;
    } refused[] = {{"8866.67", "2", "reaches down to 0 Hz"},
                   {"20000", "2001", "reaches down to 0 Hz"},
                   {"0.001", "2002", "puts its 2002 points less than 1 mHz apart"},
                   {"1e-300", "2001", "puts its 2001 points less than 1 mHz apart"}};
    for (const auto& c : refused) {
        SCOPED_TRACE(c.halfWidthKhz);
        const CliResult r = runCli({"--topology", "4", "--span-khz", c.halfWidthKhz,
                                    "--span-points", c.points, "--s2p", s2p.string()});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_FALSE(std::filesystem::exists(s2p));
    }
}

// The bench options add their block and objects after everything else; "none" and a stray
// without rounding change nothing; the Touchstone file is referred to the system resistance.
TEST(Cli, BenchOptionsAddTheBuiltBlock) {
    const CliResult plain = runCli({"--topology", "7", "--response", "8"});
    const CliResult none =
        runCli({"--topology", "7", "--response", "8", "--e-series", "none", "--stray", "2"});
    EXPECT_EQ(none.out, plain.out);

    const std::vector<std::string> bench{
        "--topology",           "7", "--response", "8", "--e-series", "24",
        "--parallel-tolerance", "1", "--stray",    "3", "--match",    "lc"};
    const CliResult text = runCli(bench);
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_TRUE(text.out.starts_with(plain.out)) << text.out;
    EXPECT_TRUE(text.out.substr(plain.out.size()).starts_with("--\nAs built: E24")) << text.out;

    std::vector<std::string> json = bench;
    json.push_back("--json");
    const nlohmann::json report = nlohmann::json::parse(runCli(json).out);
    const nlohmann::json& capacitors = report.at("bench").at("capacitors");
    ASSERT_EQ(capacitors.size(), 15u);
    // The match's shunt capacitor and C1 stand at one node: one part, 109.3 - 3 pF as 100 + 6.2.
    const nlohmann::json& end = capacitors.at("Cin+C1");
    EXPECT_EQ(end.at("standard"), nlohmann::json::parse("[100.0, 6.2]"));
    EXPECT_DOUBLE_EQ(end.at("design").get<double>(), end.at("merges").at("Cin").get<double>() +
                                                         end.at("merges").at("C1").get<double>());
    EXPECT_EQ(capacitors.at("C3").at("standard"), 30.0);
    EXPECT_TRUE(report.at("bench").at("input").contains("lSeries_uH"));
    EXPECT_TRUE(report.at("bench").at("output").contains("cShunt_pF"));
    EXPECT_NEAR(report.at("built").at("amin").get<double>(), report.at("amin").get<double>(), 0.1);
    // Matched, the return loss at the system port: at the centre, and no more than that at worst.
    EXPECT_EQ(report.at("built").size(), 9u);
    EXPECT_LE(report.at("built").at("worstReturnLossDb").get<double>(),
              report.at("built").at("returnLossDb").get<double>());

    const std::filesystem::path s2p = std::filesystem::temp_directory_path() /
                                      ("trellon-cli-bench-" + std::to_string(getpid()) + ".s2p");
    const CliResult written =
        runCli({"--topology", "7", "--match", "cl", "--match-ohm", "75", "--s2p", s2p.string()});
    const std::string touchstone = fileText(s2p);
    std::filesystem::remove(s2p);
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_NE(touchstone.find("# Hz S RI R 75\n"), std::string::npos) << touchstone;
    // A transformer match is the filter between its own terminations, referred to the system.
    const CliResult plainS2p = runCli({"--topology", "7", "--s2p", "-"});
    const CliResult transformer =
        runCli({"--topology", "7", "--match", "transformer", "--s2p", "-"});
    const std::size_t header = plainS2p.out.find("# Hz S RI R ");
    ASSERT_NE(header, std::string::npos);
    const std::string plainData = plainS2p.out.substr(plainS2p.out.find('\n', header));
    EXPECT_NE(transformer.out.find("# Hz S RI R 50" + plainData), std::string::npos);

    for (const std::vector<std::string>& misuse :
         std::vector<std::vector<std::string>>{{"--e-series", "7"},
                                               {"--match", "pi"},
                                               {"--match-ohm", "0"},
                                               {"--parallel-tolerance", "100"},
                                               {"--stray", "-1"}}) {
        EXPECT_EQ(runCli(misuse).status, 2) << misuse[0];
    }
}

// Crystal sweeps fitted instead of a design: the batch's CSV (or JSON) of every file that
// fits, the second of two names suffixed, the batch file equal to what is printed; a file
// that fails gives its message and exit 1 after the others; bad fixture values are misuse.
TEST(Cli, FitCrystalPrintsAndWritesTheBatch) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("trellon-cli-fit-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir / "again");
    const test::KnownCrystal k{10e6, 0.015, 90e3, 4.0e-12, 12.5};
    TwoPortData sweep = test::noisySweep(k, k.fsHz - 3e3, k.fsHz + 3e3, 401, 0.001, 7, 1);
    sweep.referenceOhm = 50;  // the VNA's; the fixture transforms it down
    std::ofstream(dir / "Q1.s2p") << writeTouchstone(sweep, TouchstoneFormat::Decibel);
    std::ofstream(dir / "again" / "Q1.s2p") << writeTouchstone(sweep, TouchstoneFormat::Decibel);
    std::ofstream(dir / "flat.s2p") << "# MHz S RI R 50\n"
                                    << "10 0 0 1 0 1 0 0 0\n10.1 0 0 1 0 1 0 0 0\n";
    const std::string batchFile = (dir / "batch.csv").string();
    const std::vector<std::string> fit{"--fit-crystal",   (dir / "Q1.s2p").string(),
                                       "--fit-crystal",   (dir / "flat.s2p").string(),
                                       "--fit-crystal",   (dir / "again" / "Q1.s2p").string(),
                                       "--fixture-ohm",   "12.5",
                                       "--fixture-loss=1"};
    std::vector<std::string> withBatch = fit;
    withBatch.insert(withBatch.end(), {"--batch-out", batchFile});
    const CliResult text = runCli(withBatch);
    std::vector<std::string> withJson = fit;
    withJson.push_back("--json");
    const CliResult json = runCli(withJson);
    std::vector<std::string> toOutput = fit;
    toOutput.insert(toOutput.end(), {"--batch-out", "-"});
    const CliResult twice = runCli(toOutput);
    // A file name across lines cannot name a crystal: that file alone is refused.
    std::ofstream(dir / "new\nline.s2p") << writeTouchstone(sweep, TouchstoneFormat::Decibel);
    const CliResult broken = runCli({"--fit-crystal", (dir / "new\nline.s2p").string(),
                                     "--fit-crystal", (dir / "Q1.s2p").string()});
    const std::string written = fileText(batchFile);
    std::filesystem::remove_all(dir);

    EXPECT_EQ(text.status, 1);
    EXPECT_EQ(text.err, "Cannot fit the crystal in '" + (dir / "flat.s2p").string() +
                            "': the sweep has 2 points; a fit needs at least 10\n");
    EXPECT_EQ(written, text.out);
    EXPECT_EQ(twice.out, text.out + text.out);
    EXPECT_EQ(broken.status, 1);
    EXPECT_EQ(broken.err, "Cannot name the crystal in '" + dir.string() +
                              "/new\\nline.s2p': its file name holds a line break\n");
    EXPECT_EQ(readCrystalBatchCsv(broken.out, "printed").crystals.at(0).name, "Q1");
    const CrystalBatch batch = readCrystalBatchCsv(text.out, "printed");
    ASSERT_EQ(batch.crystals.size(), 2u);
    EXPECT_EQ(text.out.substr(0, text.out.find('\n')), "name,fs_khz,lm_mh,rm_ohm,c0_pf");
    EXPECT_EQ(batch.crystals[0].name, "Q1");
    EXPECT_EQ(batch.crystals[1].name, "Q1-2");
    EXPECT_NEAR(batch.crystals[0].fsKhz, 10000, 1e-3);
    EXPECT_NEAR(batch.crystals[0].rmOhm, k.rmOhm(), 0.01 * k.rmOhm());

    EXPECT_EQ(json.status, 1);
    const nlohmann::json fits = nlohmann::json::parse(json.out).at("fit");
    ASSERT_EQ(fits.size(), 2u);
    EXPECT_EQ(fits[1].at("name"), "Q1-2");
    EXPECT_EQ(fits[0].at("fs_khz").get<double>(), batch.crystals[0].fsKhz);
    EXPECT_EQ(fits[0].at("c0_pf").get<double>(), batch.crystals[0].c0Pf);
    EXPECT_NEAR(fits[0].at("q").get<double>(), k.q, 0.01 * k.q);
    EXPECT_NEAR(fits[0].at("residual").get<double>(), 0.0014, 0.0002);

    for (const std::vector<std::string>& misuse :
         std::vector<std::vector<std::string>>{{"--fit-crystal", "a.s2p", "--fixture-ohm", "0"},
                                               {"--fit-crystal", "a.s2p", "--fixture-loss", "-1"},
                                               {"--fit-crystal", "a.s2p", "--fixture-loss", "x"},
                                               {"--batch-out", "b.csv"},
                                               {"--fit-crystal", "a.s2p", "--spice", "a.cir"},
                                               {"--envelope", "e.csv", "--fit-crystal", "a.s2p"}}) {
        const CliResult r = runCli(misuse);
        EXPECT_EQ(r.status, 2) << misuse[2];
        EXPECT_TRUE(r.out.empty()) << misuse[2];
    }
}

// A sweep given as CSV fits as the same numbers in a Touchstone file do, bit for bit, and both
// kinds mix in one run in the order given.
TEST(Cli, SweepCsvFitsAsFitCrystalDoes) {
    const test::IoTestFolder folder;
    const test::KnownCrystal k{10e6, 0.015, 90e3, 4.0e-12, 12.5};
    const std::string touchstone =
        writeTouchstone(test::noisySweep(k, k.fsHz - 3e3, k.fsHz + 3e3, 401, 0.001, 7, 1),
                        TouchstoneFormat::Decibel);
    // The CSV holds the file's own texts of frequency, S21 in dB and its angle.
    std::string csv = "note;frequency_hz;phase_deg;s21_db\n";
    std::istringstream lines(touchstone);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string f, s11db, s11deg, db, deg;
        if (line[0] != '!' && line[0] != '#' && words >> f >> s11db >> s11deg >> db >> deg) {
            csv += "x;" + f + ';' + deg + ';' + db + '\n';
        }
    }
    const std::string s2p = folder.write("Q1.s2p", touchstone);
    const std::string sweepCsv = folder.write("Q1.csv", csv);
    const std::vector<std::string> fixture{"--fixture-ohm", "12.5", "--fixture-loss", "1"};
    std::vector<std::string> mixed{"--sweep-csv", sweepCsv, "--fit-crystal", s2p};
    mixed.insert(mixed.end(), fixture.begin(), fixture.end());
    const CliResult both = runCli(mixed);
    ASSERT_EQ(both.status, 0) << both.err;
    const std::vector<std::vector<std::string>> rows = csvRows(both.out);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1][0], "Q1");
    EXPECT_EQ(rows[2][0], "Q1-2");
    EXPECT_EQ(std::vector(rows[1].begin() + 1, rows[1].end()),
              std::vector(rows[2].begin() + 1, rows[2].end()));
    EXPECT_NEAR(TextToFloat(rows[1][1], '.'), k.fsHz / 1e3, 1e-3);
}

// A fit that cannot be trusted says why on standard error, one line per warning naming the
// file, and in the JSON; --strict leaves that crystal out and fails the run. --fit-phase off
// gives back the numbers of the fit without the fixture's phase, bit for bit.
TEST(Cli, FitWarningsReachStandardErrorAndStrictFailsTheRun) {
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("trellon-cli-edge-" + std::to_string(getpid()) + ".s2p");
    const test::KnownCrystal k{10e6, 0.015, 90e3, 4.0e-12, 50};
    // Fs one bandwidth from the sweep's start.
    std::ofstream(file) << writeTouchstone(
        test::noisySweep(k, k.fsHz - k.loadedBandwidthHz(), k.fsHz + 3e3, 401, 0.001, 7),
        TouchstoneFormat::RealImaginary);
    const CliResult loose = runCli({"--fit-crystal", file.string()});
    const CliResult strict = runCli({"--fit-crystal", file.string(), "--strict"});
    const CliResult json = runCli({"--fit-crystal", file.string(), "--json"});
    std::filesystem::remove(file);
    const std::string warning =
        "Warning: the fit of '" + file.string() + "' may not be trusted (fs-near-edge): Fs lies ";
    EXPECT_EQ(loose.status, 0);
    EXPECT_EQ(loose.err.rfind(warning, 0), 0u) << loose.err;
    EXPECT_EQ(std::count(loose.err.begin(), loose.err.end(), '\n'), 1);
    EXPECT_EQ(readCrystalBatchCsv(loose.out, "printed").crystals.size(), 1u);
    EXPECT_EQ(strict.status, 1);
    EXPECT_EQ(strict.err, loose.err + "The crystal in '" + file.string() +
                              "' is left out: --strict refuses a fit with warnings\n");
    EXPECT_EQ(strict.out, "name,fs_khz,lm_mh,rm_ohm,c0_pf\n");
    const nlohmann::json warnings = nlohmann::json::parse(json.out).at("fit").at(0).at("warnings");
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].at("code"), "fs-near-edge");
    EXPECT_EQ("Warning: the fit of '" + file.string() + "' may not be trusted (fs-near-edge): " +
                  warnings[0].at("text").get<std::string>() + "\n",
              loose.err);

    const CliResult old =
        runCli({"--fit-crystal", std::string(TRELLON_EXAMPLE_SWEEPS) + "/X1.s2p", "--fixture-ohm",
                "12.5", "--fixture-loss", "0.5", "--fit-phase", "off"});
    EXPECT_EQ(old.out,
              "name,fs_khz,lm_mh,rm_ohm,c0_pf\n"
              "X1,9999.5119363875019,15.246870581210507,9.8101191252729052,4.1265314048790707\n");
    EXPECT_EQ(runCli({"--fit-crystal", "a.s2p", "--fit-phase", "maybe"}).status, 2);
    EXPECT_EQ(runCli({"--strict"}).status, 2);
}

// Runs the installed program from the shell with `arguments` and `redirections`; returns its
// exit status and puts what reached the pipe in `out`.
int runFromShell(const std::string& arguments, const std::string& redirections, std::string& out) {
    const char* program = std::getenv("TRELLON_CLI");
    if (program == nullptr) {
        ADD_FAILURE() << "TRELLON_CLI is not set";
        return -1;
    }
    const std::string command =
        std::string("LC_ALL=C '") + program + "' " + arguments + " " + redirections;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        out.append(buffer, n);
    }
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The installed program itself, as a user runs it.
TEST(Cli, ProgramRunsFromTheShell) {
    auto run = [](const std::string& arguments, std::string& out) {
        return runFromShell(arguments, "2>/dev/null", out);
    };
    std::string out;
    EXPECT_EQ(run("--topology 7 --response 8", out), 0);
    EXPECT_NE(out.find("EditRin=1327\n"), std::string::npos) << out;
    std::string ignored;
    EXPECT_EQ(run("--topology 9", ignored), 2);
}

// Standard output that cannot take the text fails the run with the system's reason, however
// much was printed and whichever capability printed it.
TEST(Cli, UnwritableStandardOutputFails) {
    const std::string sweep = std::string(TRELLON_EXAMPLE_SWEEPS) + "/X1.s2p";
    const std::pair<std::string, std::string> cases[] = {
        {"", ">/dev/full"},
        {"--json --monte-carlo 300 --sigma-fs 2 --grid-points 51", ">/dev/full"},
        {"--fit-crystal '" + sweep + "'", ">/dev/full"},
        {"", ">&-"}};
    for (const auto& [arguments, redirection] : cases) {
        std::string err;
        EXPECT_EQ(runFromShell(arguments, "2>&1 " + redirection, err), 1) << arguments;
        EXPECT_TRUE(err.starts_with("Cannot write the standard output: ")) << err;
    }
}

}  // namespace
}  // namespace trellon
