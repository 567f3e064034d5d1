#include "OscillatorShift.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "CommandError.h"
#include "CrystalBatchCsv.h"

namespace trellon {
namespace {

// The frequency a lossless crystal oscillates at with the load CL in series:
// f = Fs sqrt(1 + Cm / (C0 + CL)), in long double apart from the program's arithmetic.
double oscillation(double fsHz, double cmF, double c0F, double clF) {
    return static_cast<double>(fsHz * std::sqrt(1 + static_cast<long double>(cmF) / (c0F + clF)));
}

// Frequencies worked out from known crystals give the crystals back: Fs within 1e-9 and Lm
// within 1e-6, relative; with the loads either way round and a small but allowed step.
TEST(OscillatorShift, KnownCrystalsComeBack) {
    const struct {
        double fsHz, lmH, c0Pf, cl1Pf, cl2Pf;
    } cases[] = {
        {4.9152e6, 0.090, 3.5, 20, 30},
        {10e6, 0.015, 4.0, 47, 10},
        {27e6, 0.004, 5.0, 12, 12 + 0.051 * 17},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fsHz);
        const double w = 2 * std::numbers::pi * c.fsHz;
        const double cm = 1 / (w * w * c.lmH);
        const OscillatorShift shift{
            .f1Khz = oscillation(c.fsHz, cm, c.c0Pf * 1e-12, c.cl1Pf * 1e-12) / 1e3,
            .f2Khz = oscillation(c.fsHz, cm, c.c0Pf * 1e-12, c.cl2Pf * 1e-12) / 1e3,
            .cl1Pf = c.cl1Pf,
            .cl2Pf = c.cl2Pf,
            .c0Pf = c.c0Pf,
            .rmOhm = 12.5};
        const MeasuredCrystal crystal = crystalOfOscillatorShift(shift, "X");
        EXPECT_NEAR(crystal.fsKhz * 1e3, c.fsHz, 1e-9 * c.fsHz);
        EXPECT_NEAR(crystal.lmMh * 1e-3, c.lmH, 1e-6 * c.lmH);
        EXPECT_EQ(crystal.rmOhm, 12.5);
        EXPECT_EQ(crystal.c0Pf, c.c0Pf);
    }
}

// Loads closer than 5 % of C0 plus the smaller, frequencies the wrong way round for their loads
// and a crystal out of the batch's range are refused; in a batch the row is named.
TEST(OscillatorShift, UnusableMeasurementsAreRefused) {
    const auto message = [](const OscillatorShift& shift) {
        try {
            crystalOfOscillatorShift(shift, "X");
        } catch (const CommandError& error) {
            return std::string(error.what());
        }
        return std::string("accepted");
    };
    // 8 MHz, 17.15 mH, C0 3.3 pF at 20 and 30 pF.
    const OscillatorShift good{8003.96088958914, 8002.771639215888, 20, 30, 3.3, 12.5};
    EXPECT_EQ(message(good), "accepted");
    OscillatorShift close = good;
    close.cl2Pf = 20 + 0.049 * 23.3;
    EXPECT_EQ(message(close),
              "CL1 and CL2 must differ by at least 5 % of C0 plus the smaller of them; closer "
              "loads leave Fs to the frequency counter's error");
    OscillatorShift swapped = good;
    std::swap(swapped.f1Khz, swapped.f2Khz);
    EXPECT_EQ(message(swapped),
              "the frequency at the larger load capacitance must be the lower one");
    OscillatorShift tooFar = good;
    tooFar.f1Khz = 10000;
    EXPECT_EQ(message(tooFar), "no crystal oscillates at these two frequencies with these loads");
    OscillatorShift lossless = good;
    lossless.rmOhm = 0;
    EXPECT_EQ(message(lossless), "Rm must lie above 1 mohm and below 100 kohm");

    const std::string batch =
        "Rm_Ohm;name;f1_khz;f2_khz;cl1_pf;cl2_pf;c0_pf\n"
        "12,5;X1;8003,96088958914;8002,771639215888;20;30;3,3\n"
        "12,5;X2;8003,96088958914;8002,771639215888;20;20,5;3,3\n";
    try {
        readCrystalBatchCsv(batch, "osc.csv");
        ADD_FAILURE();
    } catch (const CommandError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Cannot read the crystal batch 'osc.csv', line 3: CL1 and CL2 must differ by at "
                  "least 5 % of C0 plus the smaller of them; closer loads leave Fs to the "
                  "frequency counter's error");
    }
}

}  // namespace
}  // namespace trellon
