#include "Touchstone.h"

#include <gtest/gtest.h>

#include "ExpectCommandError.h"

namespace trellon {
namespace {

// Two records worked out by hand: 0.6∠-30°, 0.8∠45°, 0.8∠45°, 0.1∠180° at 10.7 MHz and
// 1∠0°, 0.001∠-90°, 0.001∠-90°, 1∠0° at 10.8 MHz; 20·log10 gives -4.436974992327127 dB for
// 0.6, -1.9382002601611279 dB for 0.8, -20 dB for 0.1 and -60 dB for 0.001.
const TwoPortData kExpected{
    .referenceOhm = 75,
    .frequencyHz = {10.7e6, 10.8e6},
    .s11 = {{0.51961524227066314, -0.3}, {1, 0}},
    .s21 = {{0.56568542494923802, 0.56568542494923802}, {0, -0.001}},
    .s12 = {{0.56568542494923802, 0.56568542494923802}, {0, -0.001}},
    .s22 = {{-0.1, 0}, {1, 0}},
};

void expectNear(const TwoPortData& actual, const TwoPortData& expected, double tolerance) {
    EXPECT_EQ(actual.referenceOhm, expected.referenceOhm);
    ASSERT_EQ(actual.frequencyHz.size(), expected.frequencyHz.size());
    for (std::size_t i = 0; i < expected.frequencyHz.size(); ++i) {
        EXPECT_DOUBLE_EQ(actual.frequencyHz[i], expected.frequencyHz[i]);
        const Complex a[] = {actual.s11[i], actual.s21[i], actual.s12[i], actual.s22[i]};
        const Complex e[] = {expected.s11[i], expected.s21[i], expected.s12[i], expected.s22[i]};
        for (int p = 0; p < 4; ++p) {
            EXPECT_NEAR(a[p].re, e[p].re, tolerance) << "record " << i << " parameter " << p;
            EXPECT_NEAR(a[p].im, e[p].im, tolerance) << "record " << i << " parameter " << p;
        }
    }
}

TEST(Touchstone, EveryFormatAndUnitGivesTheHandComputedValues) {
    const char* files[] = {
        // Magnitude and angle, lower case, comments, a record wrapped over two lines.
        "! measured on the bench\n"
        "# mhz s ma r 75\n"
        "10.7 0.6 -30 0.8 45   ! S11 S21\n"
        "     0.8 45 0.1 180\r\n"
        "10.8 1 0 0.001 -90 0.001 -90 1 0\n",
        // Decibel and angle in kHz, options in another order.
        "# R 75 DB KHz S\n"
        "10700 -4.436974992327127 -30 -1.9382002601611279 45 -1.9382002601611279 45 -20 180\n"
        "10800 0 0 -60 -90 -60 -90 0 0\n",
        // Real and imaginary parts in Hz, tabs between the numbers.
        "#\tHz S RI R 75\n"
        "10700000\t0.51961524227066314 -0.3 0.56568542494923802 0.56568542494923802\n"
        "0.56568542494923802 0.56568542494923802 -0.1 0\n"
        "1.08E7 1 0 0 -0.001 0 -0.001 1 0",
    };
    for (const char* file : files) {
        SCOPED_TRACE(file);
        expectNear(readTouchstone(file, "f.s2p"), kExpected, 1e-15);
    }
    // Without an option line: GHz, magnitude and angle, 50 ohm.
    TwoPortData defaults = kExpected;
    defaults.referenceOhm = 50;
    expectNear(readTouchstone("0.0107 0.6 -30 0.8 45 0.8 45 0.1 180\n"
                              "0.0108 1 0 0.001 -90 0.001 -90 1 0\n",
                              "f.s2p"),
               defaults, 1e-15);
}

TEST(Touchstone, OwnExportReadsBack) {
    TwoPortData data = kExpected;
    data.referenceOhm = 1327.25;
    data.s21[1] = {0, 0};  // no transmission at all: still a finite number in dB
    const std::string ri = writeTouchstone(data, TouchstoneFormat::RealImaginary);
    EXPECT_TRUE(ri.starts_with("! Two-port S-parameters written by Trellon\n"));
    EXPECT_NE(ri.find("\n# Hz S RI R 1327.25\n10700000 0.51961524227066314 -0.29999999999999999 "),
              std::string::npos);
    EXPECT_EQ(readTouchstone(ri, "own.s2p"), data);
    for (const TouchstoneFormat format :
         {TouchstoneFormat::MagnitudeAngle, TouchstoneFormat::Decibel}) {
        expectNear(readTouchstone(writeTouchstone(data, format), "own.s2p"), data, 1e-15);
    }
    // A magnitude beyond the double range would be written as an unreadable INF.
    data.s22[0] = {1.5e308, 1.5e308};
    expectCommandError([&] { writeTouchstone(data, TouchstoneFormat::Decibel); },
                       "A value is too large for a Touchstone file in magnitude and angle");
}

TEST(Touchstone, EachMalformedFileGivesItsMessage) {
    const std::string header = "! bench\n# MHz S MA R 50\n";
    const std::string record = "10.7 1 0 1 0 1 0 1 0\n";
    const struct {
        std::string content;
        std::string message;
    } cases[] = {
        {"# MHz S XX R 50\n" + record, "line 1: the option line has the unknown word 'XX'"},
        {"# MHz S MA R -5\n" + record,
         "line 1: the option line needs a positive resistance after R"},
        {header + "# MHz S MA R 50\n" + record, "line 3: a second option line"},
        {record + "# MHz S MA R 50\n", "line 2: the option line comes after the data"},
        {"# MHz Z MA R 50\n" + record, "line 1: only S-parameters are read, not Z"},
        {"[Version] 2.0\n" + header + record,
         "line 1: the keyword [Version] belongs to version 2 of the format, which is not read"},
        {header + "10.7 1 0 1 0\n1,0 1 0 1 0\n", "line 4: '1,0' is not a number"},
        {header + record + "10.8 1 0 1 0\n 0 1\n",
         "line 4: the last record has 7 of its 9 numbers"},
        {header + "10.7 0.5 -30\n10.8 0.5 -31\n10.9 0.5 -32\n",
         "line 3: a line ends after 3 of the record's 9 numbers; a two-port record breaks only "
         "after S21 or S12"},
        {header + record + "10.8 1 0 1 0 1\n0 1 0\n",
         "line 4: a line ends after 6 of the record's 9 numbers; a two-port record breaks only "
         "after S21 or S12"},
        {header + record + "10.6 1 0 1 0 1 0 1 0\n", "line 4: the frequencies do not increase"},
        // An analyser that prints too few digits for its step repeats a frequency.
        {header + record + "10.7 1 0 1 0 1 0 1 0\n",
         "line 4: the frequency repeats the one before: the file gives too few digits for its "
         "step"},
        {header + "10.7 1E999 0 1 0 1 0 1 0\n", "line 3: '1E999' is not a number"},
        // Raw bytes reach no message: escapes are shown, and a huge value is cut.
        {"[Version 2.0\n" + header + record,
         "line 1: the keyword [Version belongs to version 2 of the format, which is not read"},
        {"[\x1B[2J]\n",
         "line 1: the keyword '[\\x1B[2J]' belongs to version 2 of the format, "
         "which is not read"},
        {header + "10.7 \x1B]0;x\a\n", "line 3: '\\x1B]0;x\\x07' is not a number"},
        {header + "10.7 " + std::string(5'000'000, '7') + "x\n",
         "line 3: '" + std::string(80, '7') + "'... (5000001 bytes) is not a number"},
    };
    for (const auto& c : cases) {
        expectCommandError([&] { readTouchstone(c.content, "bad.s2p"); },
                           "Cannot read the Touchstone file 'bad.s2p', " + c.message);
    }
    expectCommandError([&] { readTouchstone(header + "! nothing measured\n", "empty.s2p"); },
                       "Cannot read the Touchstone file 'empty.s2p': the file holds no data");
}

}  // namespace
}  // namespace trellon
