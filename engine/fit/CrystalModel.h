#pragma once

#include <string>
#include <vector>

#include "Complex.h"
#include "Phrase.h"
#include "SettingTables.h"

// A swept crystal as the fit sees it: the fixture, the circuit and what the fit finds, and the
// S21 they give.
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

// The fixture's loss as a factor of |S21|.
double lossFactor(const CrystalFixture& fixture);

// A motional arm's impedance Rm + j Lm (w^2 - ws^2) / w at frequencyHz.
Complex motionalImpedance(double fsHz, double lmH, double rmOhm, double frequencyHz);

// e^(j phase(f)).
Complex phaseTurn(const FixturePhase& phase, double frequencyHz);

// The crystal's impedance with its spurious arms: the arms' admittances and jwC0 summed.
Complex crystalImpedance(const CrystalCircuit& crystal, const std::vector<SpuriousArm>& arms,
                         double frequencyHz);

}  // namespace trellon
