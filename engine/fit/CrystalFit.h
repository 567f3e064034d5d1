#pragma once

#include <string>
#include <vector>

#include "Complex.h"
#include "CrystalBatch.h"
#include "Phrase.h"
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

// What of the sweep the fit follows besides the crystal.
struct FitModel {
    // The phase the fixture's cables and adapters add: an offset at the sweep's centre and a
    // slope about it.
    bool phaseTerms = true;
    // |S21| alone, for scalar analysers and sweeps whose phase cannot be trusted.
    bool magnitudeOnly = false;
};

// The phase the fixture adds at frequencyHz: offsetRad + slopeRadPerHz (f - centreHz).
struct FixturePhase {
    double offsetRad = 0;
    double slopeRadPerHz = 0;
    double centreHz = 0;
};

// A further motional arm across C0, resonating offsetHz above the crystal's Fs.
struct SpuriousArm {
    double offsetHz = 0;
    double lmH = 0;
    double rmOhm = 0;
    double strengthDb = 0;  // the model's |S21| at the arm's resonance over that at Fs
};

// Why a fit that gave a crystal cannot be trusted: a short English code and the reason.
struct FitWarning {
    std::string code;
    Phrase reason;

    std::string text() const;
};

// What the fit found for one sweep.
struct CrystalFitResult {
    CrystalCircuit circuit;
    CrystalCircuit start;               // the classic estimates the search began from
    std::vector<SpuriousArm> spurious;  // lowest first, at most kMaxSpuriousModes
    FixturePhase phase;
    double q = 0;         // unloaded, 2 pi Fs Lm / Rm
    double residual = 0;  // RMS over the points of |S21 measured - S21 of the fitted model|
                          // (of the magnitudes alone when only they are fitted)
    double noise = 0;     // the sweep's own noise in the same measure, from its data
    int iterations = 0;
    std::vector<FitWarning> warnings;
};

// S21 of `crystal` in `fixture` at frequencyHz: 2 R0 / (2 R0 + Z) times the fixture's loss,
// Z the motional arm Rm + jwLm + 1/(jwCm) in parallel with C0.
Complex crystalS21(const CrystalCircuit& crystal, const CrystalFixture& fixture,
                   double frequencyHz);

// The same with the spurious arms in parallel too, turned by the fixture's phase: the fitted
// model of the sweep.
Complex modelS21(const CrystalFitResult& fit, const CrystalFixture& fixture, double frequencyHz);

// The least points a sweep must have to be fitted.
inline constexpr int kLeastFitPoints = 10;

// Fits the crystal's equivalent circuit to a swept S21 (frequencies strictly increasing): the
// start is Fs at the least loss, Rm from that loss, Lm from the 3 dB bandwidth of the loaded
// resonance, C0 from the parallel resonance when the sweep reaches it or else from the level
// away from resonance, the fixture's phase offset from the phase at the least loss; then
// Levenberg-Marquardt minimises the sum over all points of |S21 measured - S21 model|^2 (or of
// the difference of the magnitudes) over Fs (as an offset in Hz), the logarithms of Lm, Rm and
// C0 and the fixture's phase terms. Up to kMaxSpuriousModes resonances above Fs that the model
// leaves in the residual are then fitted as further arms, all arms together. Warnings say why
// the result may not be trusted (see docs/crystal-fit.md).
// Throws CommandError with the reason (the caller names the file) for a sweep with missing or
// non-finite values, fewer than kLeastFitPoints points, no resonance, a fixture loss the peak
// cannot have, a fit that does not converge, or fitted values a batch cannot hold
// (crystalRangeProblem).
CrystalFitResult fitCrystal(const std::vector<double>& frequencyHz, const std::vector<Complex>& s21,
                            const CrystalFixture& fixture, const FitModel& model = {});

// The fitted crystal in the batch's units, under `name`.
MeasuredCrystal measuredCrystalOf(const CrystalCircuit& circuit, std::string name);

// The same with the spurious modes the fit found.
MeasuredCrystal measuredCrystalOf(const CrystalFitResult& fit, std::string name);

}  // namespace trellon
