#include "MeasuredResponse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "CalculatedRun.h"
#include "CommandError.h"
#include "TerminalResponse.h"

namespace trellon {
namespace {

// S21 of the given levels in dB, each with a phase of its own: only the magnitude may count.
std::vector<Complex> transferOfLevels(const std::vector<double>& levels) {
    std::vector<Complex> s21;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const double magnitude = std::pow(10.0, levels[i] / 20);
        s21.push_back({magnitude * std::cos(0.7 * i), magnitude * std::sin(0.7 * i)});
    }
    return s21;
}

// A response with a dip below the level inside the band: the band runs between the OUTERMOST
// crossings, found by hand on the straight lines between the points; Amin is the least loss.
TEST(MeasuredResponse, BandBetweenTheOutermostCrossingsInterpolated) {
    const std::vector<double> levels{-40, -30, -20, -5, -2, -12, -1, -4, -15, -25, -35};
    std::vector<double> f;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        f.push_back(9e6 + 100.0 * i);
    }
    const double fo = 9e6 + 500;
    for (const LevelMode mode : {LevelMode::RelativeToPeak, LevelMode::Absolute}) {
        const MeasuredResponse m =
            analyseMeasuredResponse("filter.s2p", f, transferOfLevels(levels), fo, mode, -10);
        EXPECT_NEAR(m.amin, 1, 1e-12);
        ASSERT_TRUE(m.bandFound);
        // The level -1 - 10 = -11 dB: from -20 to -5 between points 2 and 3, from -4 to -15
        // between points 7 and 8.
        EXPECT_NEAR(m.bandLowHz, 9e6 + 100 * (2 + 9.0 / 15), 1e-6);
        EXPECT_NEAR(m.bandHighHz, 9e6 + 100 * (7 + 7.0 / 11), 1e-6);
        EXPECT_NEAR(m.bandwidthHz, m.bandHighHz - m.bandLowHz, 1e-9);
        for (std::size_t i = 0; i < levels.size(); ++i) {
            EXPECT_NEAR(m.levelDb[i], levels[i] + (mode == LevelMode::Absolute ? 0 : 1), 1e-12);
            EXPECT_DOUBLE_EQ(m.detuningKhz[i], (f[i] - fo) / 1000);
        }
        EXPECT_EQ(measuredReportLines(m, "filter.s2p", "-10", fo, ',').log,
                  (std::vector<std::string>{
                      " ", "---------------- [Measured: filter.s2p] ----------------", "Amin=1 dB;",
                      "dF(-10 dB)=503,64 Hz;  F=Fo-240 .. Fo+263,64 Hz;", std::string(57, '=')}));
    }
    // A band that runs off the file has no width; a file of silence no Amin.
    const MeasuredResponse open = analyseMeasuredResponse(
        "a.s2p", f, transferOfLevels({-5, -2, -12, -1, -4, -15, -25, -35, -40, -41, -42}), fo,
        LevelMode::RelativeToPeak, -10);
    EXPECT_FALSE(open.bandFound);
    EXPECT_EQ(measuredReportLines(open, "a.s2p", "-10", fo, '.').log[3],
              "dF(-10 dB): the band reaches the end of the file;");
    // A point without any transmission next to a band edge (a sweep's dropped point) lies
    // infinitely far below: the edge is at the point above the level, never a NaN.
    std::vector<Complex> dropped = transferOfLevels(levels);
    dropped[2] = {0, 0};
    dropped[8] = {0, 0};
    const MeasuredResponse gap =
        analyseMeasuredResponse("gap.s2p", f, dropped, fo, LevelMode::RelativeToPeak, -10);
    ASSERT_TRUE(gap.bandFound);
    EXPECT_EQ(gap.bandLowHz, f[3]);
    EXPECT_EQ(gap.bandHighHz, f[7]);
    // Silence is named as such with its file; an S21 beyond any level is not silence.
    const auto refusal = [&](std::vector<Complex> s21) {
        try {
            analyseMeasuredResponse("bench\n.s2p", f, s21, fo, LevelMode::Absolute, -10);
        } catch (const CommandError& error) {
            return std::string(error.what());
        }
        return std::string("accepted");
    };
    EXPECT_EQ(refusal(std::vector<Complex>(f.size())),
              "The measured response 'bench\\n.s2p' has no transmission at all");
    std::vector<Complex> huge(f.size(), {1e-3, 0});
    huge[3] = {1e308, 1e308};
    EXPECT_EQ(refusal(huge),
              "The measured response 'bench\\n.s2p' has an S21 too large for its level in dB");
}

// Our own S21 of the built design taken as a measurement gives back the report's Amin within
// the 0.01 dB of the end equivalence, and its band within the 1 Hz steps of the sweep's edges.
TEST(MeasuredResponse, OwnExportOfADesignGivesBackItsReport) {
    CalculatedRun design(5, 1);
    const DesignState& s = design.state();
    std::vector<double> f;
    for (double x = s.BandLow - 300; x <= s.BandHigh + 300; x += 1) {
        f.push_back(x);
    }
    const SParameters sp = sParameters(makeBuiltCircuit(s), f);
    const MeasuredResponse m = analyseMeasuredResponse("filter.s2p", f, sp.s21, s.Fo * 1000,
                                                       LevelMode::RelativeToPeak, s.FrLevel);
    EXPECT_NEAR(m.amin, s.Amin, 0.01);
    ASSERT_TRUE(m.bandFound);
    EXPECT_NEAR(m.bandLowHz, s.BandLow, 1.5);
    EXPECT_NEAR(m.bandHighHz, s.BandHigh, 1.5);
    EXPECT_NEAR(m.bandwidthHz, s.BandWidthAtLevel, 2);
}

}  // namespace
}  // namespace trellon
