#include "CrystalModel.h"

#include <cmath>

#include "CrystalFormulas.h"

namespace trellon {

double lossFactor(const CrystalFixture& fixture) {
    return std::pow(10.0, -fixture.lossDb / 20);
}

// The difference is formed as a product so that it keeps its digits next to resonance.
Complex motionalImpedance(double fsHz, double lmH, double rmOhm, double frequencyHz) {
    const double w = kTwoPiExact * frequencyHz;
    const double ws = kTwoPiExact * fsHz;
    return {rmOhm, lmH * ((w - ws) * (w + ws)) / w};
}

Complex phaseTurn(const FixturePhase& phase, double frequencyHz) {
    const double angle = phase.offsetRad + phase.slopeRadPerHz * (frequencyHz - phase.centreHz);
    return {std::cos(angle), std::sin(angle)};
}

Complex crystalImpedance(const CrystalCircuit& crystal, const std::vector<SpuriousArm>& arms,
                         double frequencyHz) {
    const Complex one{1, 0};
    Complex y = one / motionalImpedance(crystal.fsHz, crystal.lmH, crystal.rmOhm, frequencyHz);
    y.im += kTwoPiExact * frequencyHz * crystal.c0F;
    for (const SpuriousArm& arm : arms) {
        y = y +
            one / motionalImpedance(crystal.fsHz + arm.offsetHz, arm.lmH, arm.rmOhm, frequencyHz);
    }
    return one / y;
}

Complex crystalS21(const CrystalCircuit& crystal, const CrystalFixture& fixture,
                   double frequencyHz) {
    const double w = kTwoPiExact * frequencyHz;
    const Complex zm = motionalImpedance(crystal.fsHz, crystal.lmH, crystal.rmOhm, frequencyHz);
    // Zm in parallel with C0: Zm / (1 + jwC0 Zm).
    const double wc0 = w * crystal.c0F;
    const Complex z = zm / Complex{1 - wc0 * zm.im, wc0 * zm.re};
    const double twoR0 = 2 * fixture.portOhm;
    return Complex{twoR0 * lossFactor(fixture), 0} / Complex{twoR0 + z.re, z.im};
}

Complex modelS21(const CrystalFitResult& fit, const CrystalFixture& fixture, double frequencyHz) {
    Complex crystal;
    if (fit.spurious.empty()) {
        crystal = crystalS21(fit.circuit, fixture, frequencyHz);
    } else {
        const Complex z = crystalImpedance(fit.circuit, fit.spurious, frequencyHz);
        const double twoR0 = 2 * fixture.portOhm;
        crystal = Complex{twoR0 * lossFactor(fixture), 0} / Complex{twoR0 + z.re, z.im};
    }
    return crystal * phaseTurn(fit.phase, frequencyHz);
}

std::string FitWarning::text() const {
    return englishText(std::span<const Phrase>(&reason, 1));
}

}  // namespace trellon
