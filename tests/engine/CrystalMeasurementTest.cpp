#include "CrystalMeasurement.h"

#include <gtest/gtest.h>

#include "CommandError.h"
#include "NumberText.h"

namespace trellon {
namespace {

// The oscillator of the calculator's initial texts.
OscillatorReadings exampleReadings() {
    return {.C1 = 22, .C2 = 820, .C3 = 330, .Cs = 3.3, .F1 = 8864.031, .F2 = 8867.238};
}

void expectCommandError(auto&& operation, const std::string& text) {
    try {
        operation();
        FAIL() << "expected CommandError " << text;
    } catch (const CommandError& error) {
        EXPECT_EQ(error.what(), text);
    }
}

TEST(CrystalMeasurement, ExampleOscillatorGivesTheKnownCrystal) {
    const OscillatorReadings readings = exampleReadings();
    const CrystalCapacitances c = MeasureCapacitances(readings);
    EXPECT_NEAR(c.Ca, 238.6043, 1e-4);
    EXPECT_NEAR(c.Cb, 23.41896, 1e-5);
    EXPECT_NEAR(c.Cq, 0.01879506, 1e-8);
    EXPECT_NEAR(c.Cser, c.Ca * c.Cq / (c.Ca + c.Cq), 1e-15);

    const double Ld = MeasureInductance(c, readings.F1);
    const double Fo = MeasureFrequency(c, Ld);
    EXPECT_EQ(FormatGeneral(Ld, 4, '.'), "17.15");
    EXPECT_EQ(FormatGeneral(Fo, 7, '.'), "8863.682");
    EXPECT_EQ(FormatGeneral(Fo, 7, ','), "8863,682");
}

TEST(CrystalMeasurement, EqualFrequenciesDivideByZeroInTheInductance) {
    OscillatorReadings readings = exampleReadings();
    readings.F2 = readings.F1;
    const CrystalCapacitances c = MeasureCapacitances(readings);
    EXPECT_EQ(c.Cq, 0);
    EXPECT_EQ(c.Cser, 0);
    expectCommandError([&] { MeasureInductance(c, readings.F1); },
                       "Floating point division by zero");
}

TEST(CrystalMeasurement, NegativeProductUnderTheRootFailsOnlyTheFrequency) {
    // F2 far above F1 makes Cq more negative than -Ca: Cser and Ld stay positive.
    OscillatorReadings readings = exampleReadings();
    readings.F1 = 1000;
    readings.F2 = 4000;
    const CrystalCapacitances c = MeasureCapacitances(readings);
    ASSERT_LT(c.Cq, -c.Ca);
    const double Ld = MeasureInductance(c, readings.F1);
    EXPECT_GT(Ld, 0);
    expectCommandError([&] { MeasureFrequency(c, Ld); }, "Invalid floating point operation");
}

TEST(CrystalMeasurement, ZeroCapacitorsAreArithmeticErrors) {
    OscillatorReadings zeroC2 = exampleReadings();
    zeroC2.C2 = 0;
    expectCommandError([&] { MeasureCapacitances(zeroC2); }, "Floating point division by zero");

    // No frequencies at all: the motional capacitance is 0 / 0.
    OscillatorReadings noFrequencies = exampleReadings();
    noFrequencies.F1 = 0;
    noFrequencies.F2 = 0;
    expectCommandError([&] { MeasureCapacitances(noFrequencies); },
                       "Invalid floating point operation");
}

TEST(CrystalMeasurement, OverflowIsAnErrorRatherThanInfinity) {
    OscillatorReadings huge = exampleReadings();
    huge.Cs = 1e300;
    expectCommandError([&] { MeasureCapacitances(huge); }, "Floating point overflow");
}

}  // namespace
}  // namespace trellon
