#include "SweepCsv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

#include "ExpectCommandError.h"

namespace trellon {
namespace {

// The same three points in every unit, level column, separator and order: 1.5, 1.625 and
// 1.75 MHz (exact in every unit) at -6, -0.5 and -40 dB with phases 30, -90 and 179.5 degrees.
TEST(SweepCsv, EveryUnitAndLevelColumnGivesTheSameSweep) {
    const char* files[] = {
        "frequency_hz,s21_db,phase_deg\n1500000,-6,30\n1625000,-0.5,-90\n1750000,-40,179.5\n",
        "Phase_Deg,Frequency_kHz,Loss_dB,note\n30,1500,6,a\n-90,1625,0.5,b\n179.5,1750,40,c\n",
        ("\xEF\xBB\xBF"
         "frequency_mhz;s21_db;phase_deg\r\n1,5;-6;30\r\n\r\n1,625;-0,5;-90\r\n1,75;-40;179,5\r\n"),
    };
    const double levels[] = {-6, -0.5, -40};
    const double phases[] = {30, -90, 179.5};
    for (const char* file : files) {
        SCOPED_TRACE(file);
        const MeasuredSweep sweep = readSweepCsv(file, "s.csv");
        EXPECT_TRUE(sweep.hasPhase);
        EXPECT_EQ(sweep.data.referenceOhm, 50);
        EXPECT_EQ(sweep.data.frequencyHz, (std::vector<double>{1.5e6, 1.625e6, 1.75e6}));
        ASSERT_EQ(sweep.data.s21.size(), 3u);
        for (int i = 0; i < 3; ++i) {
            const std::complex<double> expected =
                std::polar(std::pow(10.0, levels[i] / 20), phases[i] * std::numbers::pi / 180);
            EXPECT_NEAR(sweep.data.s21[i].re, expected.real(), 1e-15);
            EXPECT_NEAR(sweep.data.s21[i].im, expected.imag(), 1e-15);
        }
        EXPECT_EQ(sweep.data, readSweepCsv(files[0], "first.csv").data);
    }
    // Without a phase column the sweep is marked as magnitude only, its S21 real.
    const MeasuredSweep magnitude = readSweepCsv("frequency_khz,loss_db\n1500,6\n1625,0.5\n", "m");
    EXPECT_FALSE(magnitude.hasPhase);
    EXPECT_NEAR(magnitude.data.s21[0].re, std::pow(10.0, -6.0 / 20), 1e-15);
    EXPECT_EQ(magnitude.data.s21[1].im, 0);
}

TEST(SweepCsv, EachBadFileNamesItsLine) {
    const struct {
        std::string content;
        std::string message;
    } cases[] = {
        {"frequency_khz,s21_db\n1500,-6\n1600,0.5\n",
         "line 3: s21_db 0.5 lies above 0 dB; a loss is a negative s21_db or a positive loss_db"},
        {"frequency_khz,loss_db\n1500,-6\n",
         "line 2: loss_db -6 lies below 0 dB; a loss is a positive loss_db or a negative s21_db"},
        {"freq,s21_db\n1500,-6\n",
         "line 1: the header needs one frequency column: 'frequency_hz', 'frequency_khz' or "
         "'frequency_mhz'"},
        {"frequency_hz,frequency_khz,s21_db\n1500,1.5,-6\n",
         "line 1: the header needs one frequency column: 'frequency_hz', 'frequency_khz' or "
         "'frequency_mhz'"},
        {"frequency_hz,s21_db,loss_db\n1500,-6,6\n",
         "line 1: the header needs one level column: 's21_db' or 'loss_db'"},
        {"frequency_hz,s21_db,S21_dB\n1500,-6,-6\n", "line 1: the column 'S21_dB' appears twice"},
        {"frequency_hz,s21_db\n1500,-6\n1600,-6\n\n1550,-7\n",
         "line 5: the frequencies do not increase"},
        {"frequency_hz,s21_db\n0,-6\n", "line 2: the frequency is out of range"},
        {"frequency_hz,s21_db,phase_deg\n1500,-6,\x1b[2J\n",
         "line 2: '\\x1B[2J' in column 'phase_deg' is not a number"},
        {"frequency_hz,s21_db\n1500\n", "line 2: the value in column 's21_db' is missing"},
    };
    for (const auto& c : cases) {
        expectCommandError([&] { readSweepCsv(c.content, "bad.csv"); },
                           "Cannot read the sweep CSV 'bad.csv', " + c.message);
    }
    expectCommandError([&] { readSweepCsv("frequency_hz,s21_db\n\n", "none.csv"); },
                       "Cannot read the sweep CSV 'none.csv': the file holds no data");
}

}  // namespace
}  // namespace trellon
