#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "../io/IoTestFolder.h"
#include "CliRun.h"
#include "NumberText.h"
#include "Touchstone.h"

namespace trellon {
namespace {

// The response files of a ladder of any order come from two solvers: the table's level at the
// traced points (the curve's own) is the |S21| of the Touchstone file (the circuit's two-port;
// equal terminations, absolute level) within 1e-9 dB, and the points file is the table's first
// columns. The design's own span, read back as a measured response, finds its band within 1 Hz.
TEST(AnyOrderCli, ResponseFilesAgreeAndTheSpanMeasuresBackToTheBand) {
    const test::IoTestFolder folder;
    const std::string table = folder.pathOf("table.csv");
    const std::string points = folder.pathOf("points.csv");
    const std::string traced = folder.pathOf("traced.s2p");
    const std::vector<std::string> ladder{"--order", "5", "--df", "500"};
    const auto with = [&](std::vector<std::string> more) {
        more.insert(more.begin(), ladder.begin(), ladder.end());
        return runCli(more);
    };
    const CliResult files =
        with({"--absolute", "--table", table, "--points", points, "--s2p", traced});
    ASSERT_EQ(files.status, 0) << files.err;
    const auto rows = csvRows(fileText(table));
    const auto chart = csvRows(fileText(points));
    const TwoPortData twoPort = readTouchstone(fileText(traced), traced);
    ASSERT_GT(rows.size(), 100u);
    ASSERT_EQ(chart.size(), rows.size());
    ASSERT_EQ(twoPort.frequencyHz.size(), rows.size() - 1);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        EXPECT_EQ(chart[i][0], rows[i][1]);
        EXPECT_EQ(chart[i][1], rows[i][2]);
        EXPECT_DOUBLE_EQ(twoPort.frequencyHz[i - 1], TextToFloat(rows[i][0], '.'));
        EXPECT_NEAR(TextToFloat(rows[i][2], '.'),
                    10 * std::log10(squaredMagnitude(twoPort.s21[i - 1])), 1e-9)
            << i;
    }

    const std::string span = folder.pathOf("span.s2p");
    ASSERT_EQ(with({"--span-khz", "1", "--span-points", "401", "--s2p", span}).status, 0);
    const CliResult measured = with({"--measured", span, "--json"});
    ASSERT_EQ(measured.status, 0) << measured.err;
    const nlohmann::json report = nlohmann::json::parse(measured.out);
    for (const char* figure : {"bandLow", "bandHigh", "bandwidth"}) {
        EXPECT_NEAR(report.at("measured").at(figure).get<double>(), report.at(figure).get<double>(),
                    1)
            << figure;
    }
}

// Re-centred on its crystals, the ladder is the one designed on their medians typed in, whatever
// --crystal-q said of the first design.
TEST(AnyOrderCli, RecentredLadderIsTheLadderOfTheMedians) {
    const test::IoTestFolder folder;
    const std::string batch = folder.write("batch.csv",
                                           "name,fs_khz,lm_mh,rm_ohm,c0_pf\n"
                                           "Q01,8863.6291,16.910,6.42,3.16\n"
                                           "Q02,8863.6928,17.058,4.73,3.30\n"
                                           "Q03,8863.5400,17.300,7.10,3.41\n"
                                           "Q04,8863.6100,17.120,5.90,3.25\n");
    const CliResult recentred =
        runCli({"--order", "4", "--family", "chebyshev", "--ripple", "0.5", "--df", "2000",
                "--crystal-q", "50000", "--crystals", batch, "--recentre", "--json"});
    ASSERT_EQ(recentred.status, 0) << recentred.err;
    const nlohmann::json json = nlohmann::json::parse(recentred.out);
    const nlohmann::json& inputs = json.at("recentred");
    EXPECT_EQ(inputs,
              nlohmann::json::parse(R"({"fo":"8863.62","ld":"17.09","rd":"6.16","cs":"3.275"})"));
    const CliResult typed =
        runCli({"--order", "4", "--family", "chebyshev", "--ripple", "0.5", "--df", "2000", "--fo",
                inputs.at("fo"), "--ld", inputs.at("ld"), "--rd", inputs.at("rd"), "--cs",
                inputs.at("cs"), "--json"});
    ASSERT_EQ(typed.status, 0) << typed.err;
    const nlohmann::json direct = nlohmann::json::parse(typed.out);
    EXPECT_EQ(json.at("design"), direct.at("design"));
    EXPECT_EQ(json.at("bandwidth"), direct.at("bandwidth"));
    EXPECT_TRUE(json.contains("built"));
}

}  // namespace
}  // namespace trellon
