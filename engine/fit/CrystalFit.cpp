#include "CrystalFit.h"

#include <algorithm>
#include <cmath>

#include "CrystalFormulas.h"
#include "FitParameters.h"
#include "FitPhrases.h"
#include "FitStart.h"
#include "FitWarnings.h"
#include "LevenbergMarquardt.h"
#include "NumberText.h"
#include "Phrase.h"
#include "SpuriousSearch.h"

namespace trellon {

using namespace fitting;

namespace {

constexpr int kMaxIterations = 200;
// A peak this many noise deviations above the fixture's own level cannot be a crystal's.
constexpr double kPeakAboveFixtureNoises = 5;

[[noreturn]] void fail(const PhraseTemplate& reason, std::vector<PhraseArgument> arguments = {}) {
    throw PhrasedError({{&reason, std::move(arguments)}});
}

void checkSweep(const std::vector<double>& f, const std::vector<Complex>& s21,
                const CrystalFixture& fixture) {
    if (f.size() != s21.size()) {
        fail(fitPhrase("fit-missing-values"));
    }
    if (f.size() < static_cast<std::size_t>(kLeastFitPoints)) {
        fail(fitPhrase("fit-few-points"),
             {{std::to_string(f.size())}, {std::to_string(kLeastFitPoints)}});
    }
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (!std::isfinite(f[i]) || !std::isfinite(s21[i].re) || !std::isfinite(s21[i].im)) {
            fail(fitPhrase("fit-not-finite"));
        }
        if (!(f[i] > 0) || (i > 0 && !(f[i] > f[i - 1]))) {
            fail(fitPhrase("fit-frequencies"));
        }
    }
    if (!settings::kFixtureOhm.accepts(fixture.portOhm)) {
        fail(fitPhrase("fit-port"));
    }
    if (!settings::kFixtureLoss.accepts(fixture.lossDb)) {
        fail(fitPhrase("fit-loss"));
    }
}

// A crystal only loses: a peak above the fixture's own level by more than the noise says the
// loss given is too high.
void checkPeakAgainstLoss(const std::vector<Complex>& s21, const CrystalFixture& fixture,
                          double noise) {
    const Complex top = s21[peakIndex(s21)];
    const double peak = std::hypot(top.re, top.im);
    const double own = lossFactor(fixture);
    if (peak > own + kPeakAboveFixtureNoises * noise) {
        fail(fitPhrase("fit-loss-too-high"),
             {{FormatGeneral(fixture.lossDb, 4, '.')},
              {FormatGeneral(20 * std::log10(peak / own), 3, '.')}});
    }
}

LeastSquaresResult search(const FitLayout& layout, const FitTarget& target) {
    LeastSquaresSettings settings;
    settings.differenceSteps = layout.differenceSteps();
    settings.maxIterations = kMaxIterations;
    return levenbergMarquardt(residualsOf(layout, target), layout.initial(), settings);
}

// Each arm's peak |S21| in the model over the main resonance's.
void measureStrengths(CrystalFitResult& fit, const CrystalFixture& fixture) {
    const Complex main = modelS21(fit, fixture, fit.circuit.fsHz);
    for (SpuriousArm& arm : fit.spurious) {
        const Complex spur = modelS21(fit, fixture, fit.circuit.fsHz + arm.offsetHz);
        arm.strengthDb =
            20 * std::log10(std::hypot(spur.re, spur.im) / std::hypot(main.re, main.im));
    }
}

// Adds arms for the resonances the model leaves in the sweep, one at a time, each time
// fitting all arms together; an arm the joint fit cannot place ends the search.
void addSpuriousArms(const FitTarget& target, const FitLayout& mainLayout, CrystalFitResult& fit,
                     double& sumOfSquares) {
    const std::vector<double>& f = target.frequencyHz;
    FitLayout layout = mainLayout;
    while (fit.spurious.size() < static_cast<std::size_t>(kMaxSpuriousModes)) {
        const std::optional<SpuriousArm> start =
            nextSpuriousStart(f, target.s21, fit, target.fixture, target.magnitudeOnly);
        if (!start) {
            return;
        }
        FitLayout wider = layout;
        wider.origin = fit.circuit;
        wider.phaseStart = fit.phase;
        wider.spurStarts = fit.spurious;
        wider.spurStarts.push_back(*start);
        const LeastSquaresResult found = search(wider, target);
        CrystalFitResult candidate = fit;
        wider.apply(found.parameters, candidate);
        std::sort(
            candidate.spurious.begin(), candidate.spurious.end(),
            [](const SpuriousArm& a, const SpuriousArm& b) { return a.offsetHz < b.offsetHz; });
        const bool inside = std::all_of(
            candidate.spurious.begin(), candidate.spurious.end(), [&](const SpuriousArm& arm) {
                return arm.offsetHz > 0 && candidate.circuit.fsHz + arm.offsetHz < f.back();
            });
        if (found.status != LeastSquaresStatus::Converged || !inside ||
            !(found.sumOfSquares < sumOfSquares) ||
            crystalRangeProblem(measuredCrystalOf(candidate, "")) != nullptr) {
            return;
        }
        fit.circuit = candidate.circuit;
        fit.phase = candidate.phase;
        fit.spurious = candidate.spurious;
        fit.iterations += found.iterations;
        sumOfSquares = found.sumOfSquares;
        layout = wider;
    }
}

}  // namespace

CrystalFitResult fitCrystal(const std::vector<double>& frequencyHz, const std::vector<Complex>& s21,
                            const CrystalFixture& fixture, const FitModel& model) {
    checkSweep(frequencyHz, s21, fixture);
    const bool phaseTerms = model.phaseTerms && !model.magnitudeOnly;
    FitLayout layout;
    layout.phaseTerms = phaseTerms;
    layout.halfSpanHz = (frequencyHz.back() - frequencyHz.front()) / 2;
    layout.phaseStart.centreHz = (frequencyHz.back() + frequencyHz.front()) / 2;
    if (phaseTerms) {
        // Next to series resonance the crystal's own phase is near 0.
        const Complex top = s21[peakIndex(s21)];
        layout.phaseStart.offsetRad = std::atan2(top.im, top.re);
    }
    CrystalFitResult result;
    result.start = startEstimate(
        frequencyHz, phaseTerms ? withoutPhase(frequencyHz, s21, layout.phaseStart) : s21, fixture,
        !model.magnitudeOnly);
    layout.origin = result.start;
    result.noise = sweepNoise(frequencyHz, s21, result.start.fsHz,
                              loadedBandwidthHz(result.start.lmH, result.start.rmOhm, fixture),
                              model.magnitudeOnly);
    checkPeakAgainstLoss(s21, fixture, result.noise);

    const FitTarget target{frequencyHz, s21, fixture, model.magnitudeOnly};
    const LeastSquaresResult found = search(layout, target);
    if (found.status == LeastSquaresStatus::IterationLimit) {
        fail(fitPhrase("fit-iterations"), {{std::to_string(kMaxIterations)}});
    }
    if (found.status == LeastSquaresStatus::NotFinite) {
        fail(fitPhrase("fit-overflow"));
    }
    layout.apply(found.parameters, result);
    result.iterations = found.iterations;
    if (!(result.circuit.fsHz >= frequencyHz.front() &&
          result.circuit.fsHz <= frequencyHz.back())) {
        fail(fitPhrase("fit-leaves-sweep"));
    }
    if (const PhraseTemplate* problem =
            crystalRangeProblem(measuredCrystalOf(result.circuit, ""))) {
        throw PhrasedError({{&fitPhrase("fit-unusable"), {}}, {problem, {}}});
    }
    double sumOfSquares = found.sumOfSquares;
    addSpuriousArms(target, layout, result, sumOfSquares);
    measureStrengths(result, fixture);
    result.q = kTwoPiExact * result.circuit.fsHz * result.circuit.lmH / result.circuit.rmOhm;
    result.residual = std::sqrt(sumOfSquares / static_cast<double>(frequencyHz.size()));
    result.warnings = fitWarnings(result, frequencyHz, fixture);
    return result;
}

MeasuredCrystal measuredCrystalOf(const CrystalCircuit& circuit, std::string name) {
    return {std::move(name), circuit.fsHz / 1e3, circuit.lmH * 1e3, circuit.rmOhm,
            circuit.c0F * 1e12};
}

MeasuredCrystal measuredCrystalOf(const CrystalFitResult& fit, std::string name) {
    MeasuredCrystal crystal = measuredCrystalOf(fit.circuit, std::move(name));
    for (const SpuriousArm& arm : fit.spurious) {
        crystal.spurious.push_back({arm.offsetHz / 1e3, arm.lmH * 1e3, arm.rmOhm});
    }
    return crystal;
}

}  // namespace trellon
