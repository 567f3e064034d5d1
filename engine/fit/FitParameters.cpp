#include "FitParameters.h"

#include <algorithm>
#include <cmath>

#include "CrystalFormulas.h"

namespace trellon::fitting {

namespace {

constexpr std::size_t kCrystalParameters = 4;
constexpr std::size_t kPhaseParameters = 2;
constexpr std::size_t kArmParameters = 3;

}  // namespace

std::vector<double> FitLayout::initial() const {
    std::vector<double> p{0, std::log(origin.lmH), std::log(origin.rmOhm), std::log(origin.c0F)};
    if (phaseTerms) {
        p.push_back(phaseStart.offsetRad);
        p.push_back(phaseStart.slopeRadPerHz * halfSpanHz);
    }
    for (const SpuriousArm& arm : spurStarts) {
        p.insert(p.end(), {0, std::log(arm.lmH), std::log(arm.rmOhm)});
    }
    return p;
}

std::vector<double> FitLayout::differenceSteps() const {
    // Frequencies resolve to far below a hertz; the others to a millionth of their value.
    const double hertz = std::max(1e-3, origin.fsHz * 1e-12);
    std::vector<double> steps{hertz, 1e-6, 1e-6, 1e-6};
    if (phaseTerms) {
        steps.insert(steps.end(), {1e-6, 1e-6});
    }
    for (std::size_t i = 0; i < spurStarts.size(); ++i) {
        steps.insert(steps.end(), {hertz, 1e-6, 1e-6});
    }
    return steps;
}

void FitLayout::apply(const std::vector<double>& p, CrystalFitResult& fit) const {
    fit.circuit = {origin.fsHz + p[0], std::exp(p[1]), std::exp(p[2]), std::exp(p[3])};
    std::size_t next = kCrystalParameters;
    fit.phase = {};
    if (phaseTerms) {
        fit.phase = {p[next], p[next + 1] / halfSpanHz, phaseStart.centreHz};
        next += kPhaseParameters;
    }
    fit.spurious.clear();
    for (const SpuriousArm& start : spurStarts) {
        // The arm keeps its resonance while the crystal's Fs moves.
        fit.spurious.push_back({start.offsetHz + (origin.fsHz - fit.circuit.fsHz) + p[next],
                                std::exp(p[next + 1]), std::exp(p[next + 2]), 0});
        next += kArmParameters;
    }
}

ResidualFunction residualsOf(const FitLayout& layout, const FitTarget& target) {
    return [layout, target](const std::vector<double>& p, std::vector<double>& r) {
        CrystalFitResult fit;
        layout.apply(p, fit);
        const std::size_t n = target.frequencyHz.size();
        r.resize(target.magnitudeOnly ? n : 2 * n);
        for (std::size_t i = 0; i < n; ++i) {
            const double f = target.frequencyHz[i];
            Complex model = fit.spurious.empty() ? crystalS21(fit.circuit, target.fixture, f)
                                                 : modelS21(fit, target.fixture, f);
            if (layout.phaseTerms && fit.spurious.empty()) {
                model = model * phaseTurn(fit.phase, f);
            }
            if (target.magnitudeOnly) {
                r[i] =
                    std::hypot(model.re, model.im) - std::hypot(target.s21[i].re, target.s21[i].im);
            } else {
                const Complex difference = model - target.s21[i];
                r[2 * i] = difference.re;
                r[2 * i + 1] = difference.im;
            }
        }
    };
}

}  // namespace trellon::fitting
