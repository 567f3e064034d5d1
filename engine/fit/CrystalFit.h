#pragma once

#include <string>
#include <vector>

#include "Complex.h"
#include "CrystalBatch.h"
#include "SettingTables.h"

namespace trellon {

// The test fixture a crystal is swept in: the crystal in series between two ports of
// resistance portOhm, and a loss of 0 to 100 dB that is flat over the sweep (cables, pads,
// transformers).
struct CrystalFixture {
    double portOhm = settings::kFixtureOhm.defaultValue;
    double lossDb = settings::kFixtureLoss.defaultValue;
};

// A crystal's equivalent circuit in SI units: the motional arm resonating at fsHz with Lm and
// Rm, the holder capacitance C0 across it.
struct CrystalCircuit {
    double fsHz = 0;
    double lmH = 0;
    double rmOhm = 0;
    double c0F = 0;
};

// What the fit found for one sweep.
struct CrystalFitResult {
    CrystalCircuit circuit;
    CrystalCircuit start;  // the classic estimates the search began from
    double q = 0;          // unloaded, 2 pi Fs Lm / Rm
    double residual = 0;   // RMS over the points of |S21 measured - S21 of the fitted circuit|
    int iterations = 0;
};

// S21 of `crystal` in `fixture` at frequencyHz: 2 R0 / (2 R0 + Z) times the fixture's loss,
// Z the motional arm Rm + jwLm + 1/(jwCm) in parallel with C0.
Complex crystalS21(const CrystalCircuit& crystal, const CrystalFixture& fixture,
                   double frequencyHz);

// The least points a sweep must have to be fitted.
inline constexpr int kLeastFitPoints = 10;

// Fits the crystal's equivalent circuit to a swept S21 (frequencies strictly increasing): the
// start is Fs at the least loss, Rm from that loss, Lm from the 3 dB bandwidth of the loaded
// resonance, C0 from the parallel resonance when the sweep reaches it or else from the level
// away from resonance; then Levenberg-Marquardt minimises the sum over all points of
// |S21 measured - S21 model|^2 over Fs (as an offset in Hz) and the logarithms of Lm, Rm and C0.
// Throws CommandError with the reason (the caller names the file) for a sweep with missing or
// non-finite values, fewer than kLeastFitPoints points, no resonance, a fit that does not
// converge, or fitted values a batch cannot hold (crystalRangeProblem).
CrystalFitResult fitCrystal(const std::vector<double>& frequencyHz, const std::vector<Complex>& s21,
                            const CrystalFixture& fixture);

// The fitted crystal in the batch's units, under `name`.
MeasuredCrystal measuredCrystalOf(const CrystalCircuit& circuit, std::string name);

}  // namespace trellon
