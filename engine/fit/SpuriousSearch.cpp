#include "SpuriousSearch.h"

#include <cmath>

#include "CrystalFormulas.h"
#include "FitStart.h"

namespace trellon::fitting {

namespace {

// Resonances this many loaded bandwidths from Fs, or from an arm found, belong to them.
constexpr double kOwnBandwidths = 3;

bool nearFoundArm(const CrystalFitResult& fit, const CrystalFixture& fixture, double frequencyHz,
                  double stepHz) {
    for (const SpuriousArm& arm : fit.spurious) {
        const double width = std::max(loadedBandwidthHz(arm.lmH, arm.rmOhm, fixture), 2 * stepHz);
        if (std::abs(frequencyHz - (fit.circuit.fsHz + arm.offsetHz)) < kOwnBandwidths * width) {
            return true;
        }
    }
    return false;
}

// The width over which the excess stays above 1/sqrt 2 of its peak, from the points beside it.
double excessWidthHz(const std::vector<double>& f, const std::vector<double>& excess,
                     std::size_t peak) {
    const double level = excess[peak] / std::numbers::sqrt2;
    std::size_t low = peak;
    while (low > 0 && excess[low - 1] > level) {
        --low;
    }
    std::size_t high = peak;
    while (high + 1 < f.size() && excess[high + 1] > level) {
        ++high;
    }
    const double stepHz = (f.back() - f.front()) / static_cast<double>(f.size() - 1);
    return std::max(f[high] - f[low], stepHz);
}

}  // namespace

std::optional<SpuriousArm> nextSpuriousStart(const std::vector<double>& f,
                                             const std::vector<Complex>& s21,
                                             const CrystalFitResult& fit,
                                             const CrystalFixture& fixture, bool magnitudeOnly) {
    const CrystalCircuit& c = fit.circuit;
    const double stepHz = (f.back() - f.front()) / static_cast<double>(f.size() - 1);
    const double ownWidth = kOwnBandwidths * loadedBandwidthHz(c.lmH, c.rmOhm, fixture);
    // The noise of a magnitude is that of one part of the complex value.
    const double threshold =
        kSpurToNoise * (magnitudeOnly ? fit.noise : fit.noise / std::numbers::sqrt2);
    std::vector<double> excess(f.size(), 0);
    std::optional<std::size_t> peak;
    for (std::size_t i = 0; i < f.size(); ++i) {
        const Complex model = modelS21(fit, fixture, f[i]);
        excess[i] = std::hypot(s21[i].re, s21[i].im) - std::hypot(model.re, model.im);
        if (f[i] > c.fsHz + ownWidth && excess[i] > threshold &&
            !nearFoundArm(fit, fixture, f[i], stepHz) && (!peak || excess[i] > excess[*peak])) {
            peak = i;
        }
    }
    if (!peak) {
        return std::nullopt;
    }
    const double twoR0 = 2 * fixture.portOhm;
    const double g = lossFactor(fixture);
    const double frequency = f[*peak];
    const Complex measured = s21[*peak];
    // At its resonance the arm is its resistance alone, in parallel with the rest.
    double rm = twoR0 * (g / std::hypot(measured.re, measured.im) - 1);
    if (!magnitudeOnly) {
        const Complex turn = phaseTurn(fit.phase, frequency);
        const Complex crystal = measured * Complex{turn.re, -turn.im};
        const Complex one{1, 0};
        const Complex z = Complex{twoR0 * g, 0} / crystal - Complex{twoR0, 0};
        const Complex beyond = one / z - one / crystalImpedance(c, fit.spurious, frequency);
        if (beyond.re > 0) {
            rm = 1 / beyond.re;
        }
    }
    if (!(rm > 0) || !std::isfinite(rm)) {
        rm = twoR0;
    }
    const double width = excessWidthHz(f, excess, *peak);
    const double lm = (rm + twoR0) / (kTwoPiExact * width);
    return SpuriousArm{frequency - c.fsHz, lm, rm, 0};
}

}  // namespace trellon::fitting
