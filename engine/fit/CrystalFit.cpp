#include "CrystalFit.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "CrystalFormulas.h"
#include "FitPhrases.h"
#include "LevenbergMarquardt.h"
#include "Phrase.h"

namespace trellon {

namespace {

constexpr int kMaxIterations = 200;
// A typical ratio of holder to motional capacitance, for a sweep that tells nothing of C0.
constexpr double kTypicalCapacitanceRatio = 250;
// Points this many bandwidths away from resonance show C0 through the level.
constexpr double kOffResonanceBandwidths = 3;

[[noreturn]] void fail(const PhraseTemplate& reason, std::vector<PhraseArgument> arguments = {}) {
    throw PhrasedError({{&reason, std::move(arguments)}});
}

double lossFactor(const CrystalFixture& fixture) {
    return std::pow(10.0, -fixture.lossDb / 20);
}

// The motional arm's impedance Rm + j Lm (w^2 - ws^2) / w; the difference is formed as a
// product so that it keeps its digits next to resonance.
Complex motionalImpedance(const CrystalCircuit& crystal, double frequencyHz) {
    const double w = kTwoPiExact * frequencyHz;
    const double ws = kTwoPiExact * crystal.fsHz;
    return {crystal.rmOhm, crystal.lmH * ((w - ws) * (w + ws)) / w};
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

// Where the level, walking from `peak` by `direction`, first falls to `level`: interpolated
// linearly between the two points around it, with the index of the point below it.
struct Edge {
    double frequencyHz;
    std::size_t index;
};

std::optional<Edge> halfPowerEdge(const std::vector<double>& f, const std::vector<double>& level,
                                  std::size_t peak, int direction, double half) {
    std::size_t inside = peak;
    while (true) {
        if ((direction < 0 && inside == 0) || (direction > 0 && inside + 1 == f.size())) {
            return std::nullopt;
        }
        const std::size_t outside = direction < 0 ? inside - 1 : inside + 1;
        if (level[outside] <= half) {
            const double share = (level[inside] - half) / (level[inside] - level[outside]);
            return Edge{f[inside] + share * (f[outside] - f[inside]), outside};
        }
        inside = outside;
    }
}

double median(std::vector<double> values) {
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// C0 from the level away from resonance: what the measured admittance holds beyond the
// motional arm's, as a capacitance, in the middle of the points far enough from Fs.
std::optional<double> holderFromLevel(const std::vector<double>& f, const std::vector<Complex>& s21,
                                      const CrystalFixture& fixture, const CrystalCircuit& arm,
                                      double bandwidthHz) {
    const double twoR0 = 2 * fixture.portOhm;
    const double g = lossFactor(fixture);
    std::vector<double> estimates;
    for (std::size_t i = 0; i < f.size(); ++i) {
        if (std::abs(f[i] - arm.fsHz) < kOffResonanceBandwidths * bandwidthHz) {
            continue;
        }
        const Complex z = (Complex{twoR0 * g, 0} / s21[i]) - Complex{twoR0, 0};
        const Complex y = (Complex{1, 0} / z) - (Complex{1, 0} / motionalImpedance(arm, f[i]));
        const double c0 = y.im / (kTwoPiExact * f[i]);
        if (std::isfinite(c0) && c0 > 0) {
            estimates.push_back(c0);
        }
    }
    if (estimates.empty()) {
        return std::nullopt;
    }
    return median(std::move(estimates));
}

// The classic estimates the search starts from.
CrystalCircuit startEstimate(const std::vector<double>& f, const std::vector<Complex>& s21,
                             const CrystalFixture& fixture) {
    const double twoR0 = 2 * fixture.portOhm;
    const double g = lossFactor(fixture);
    std::vector<double> level(f.size());
    for (std::size_t i = 0; i < f.size(); ++i) {
        level[i] = std::hypot(s21[i].re, s21[i].im) / g;
    }
    const std::size_t peak =
        static_cast<std::size_t>(std::max_element(level.begin(), level.end()) - level.begin());
    if (peak == 0 || peak + 1 == f.size()) {
        fail(fitPhrase("fit-edge"));
    }
    CrystalCircuit start;
    start.fsHz = f[peak];
    // At series resonance the crystal is Rm alone; a level at or above the fixture's own (noise,
    // a loss set too high) still leaves a small positive start.
    start.rmOhm = std::max(twoR0 * (1 / level[peak] - 1), 1e-3 * twoR0);

    const double half = level[peak] / std::numbers::sqrt2;
    const std::optional<Edge> low = halfPowerEdge(f, level, peak, -1, half);
    const std::optional<Edge> high = halfPowerEdge(f, level, peak, +1, half);
    if (!low && !high) {
        fail(fitPhrase("fit-no-rise"));
    }
    const double bandwidth = low && high ? high->frequencyHz - low->frequencyHz
                             : low       ? 2 * (start.fsHz - low->frequencyHz)
                                         : 2 * (high->frequencyHz - start.fsHz);
    if (!(bandwidth > 0)) {
        fail(fitPhrase("fit-no-bandwidth"));
    }
    // The loaded resonance is 3 dB down where the reactance equals Rm + 2 R0.
    start.lmH = (start.rmOhm + twoR0) / (kTwoPiExact * bandwidth);

    const double cm = motionalCapacitance(start.fsHz, start.lmH, kTwoPiExact);
    std::optional<double> c0;
    if (high) {
        // The parallel resonance is the largest loss above the series one, when the sweep
        // reaches it: it must not lie at the sweep's end.
        const auto first = level.begin() + static_cast<std::ptrdiff_t>(high->index);
        const std::size_t deepest =
            static_cast<std::size_t>(std::min_element(first, level.end()) - level.begin());
        if (deepest + 1 < f.size()) {
            const double ratio = f[deepest] / start.fsHz;
            const double estimate = cm / (ratio * ratio - 1);
            if (std::isfinite(estimate) && estimate > 0) {
                c0 = estimate;
            }
        }
    }
    if (!c0) {
        c0 = holderFromLevel(f, s21, fixture, start, bandwidth);
    }
    start.c0F = c0 ? *c0 : kTypicalCapacitanceRatio * cm;
    return start;
}

CrystalCircuit circuitAt(const CrystalCircuit& start, const std::vector<double>& p) {
    return {start.fsHz + p[0], std::exp(p[1]), std::exp(p[2]), std::exp(p[3])};
}

}  // namespace

Complex crystalS21(const CrystalCircuit& crystal, const CrystalFixture& fixture,
                   double frequencyHz) {
    const double w = kTwoPiExact * frequencyHz;
    const Complex zm = motionalImpedance(crystal, frequencyHz);
    // Zm in parallel with C0: Zm / (1 + jwC0 Zm).
    const double wc0 = w * crystal.c0F;
    const Complex z = zm / Complex{1 - wc0 * zm.im, wc0 * zm.re};
    const double twoR0 = 2 * fixture.portOhm;
    return Complex{twoR0 * lossFactor(fixture), 0} / Complex{twoR0 + z.re, z.im};
}

CrystalFitResult fitCrystal(const std::vector<double>& frequencyHz, const std::vector<Complex>& s21,
                            const CrystalFixture& fixture) {
    checkSweep(frequencyHz, s21, fixture);
    CrystalFitResult result;
    result.start = startEstimate(frequencyHz, s21, fixture);
    const CrystalCircuit& start = result.start;
    const std::size_t n = frequencyHz.size();

    const ResidualFunction residuals = [&](const std::vector<double>& p, std::vector<double>& r) {
        const CrystalCircuit crystal = circuitAt(start, p);
        r.resize(2 * n);
        for (std::size_t i = 0; i < n; ++i) {
            const Complex difference = crystalS21(crystal, fixture, frequencyHz[i]) - s21[i];
            r[2 * i] = difference.re;
            r[2 * i + 1] = difference.im;
        }
    };
    LeastSquaresSettings settings;
    // Fs resolves to far below a hertz; the others to a millionth of their value.
    settings.differenceSteps = {std::max(1e-3, start.fsHz * 1e-12), 1e-6, 1e-6, 1e-6};
    settings.maxIterations = kMaxIterations;
    const LeastSquaresResult found = levenbergMarquardt(
        residuals, {0, std::log(start.lmH), std::log(start.rmOhm), std::log(start.c0F)}, settings);
    if (found.status == LeastSquaresStatus::IterationLimit) {
        fail(fitPhrase("fit-iterations"), {{std::to_string(kMaxIterations)}});
    }
    if (found.status == LeastSquaresStatus::NotFinite) {
        fail(fitPhrase("fit-overflow"));
    }
    result.circuit = circuitAt(start, found.parameters);
    result.iterations = found.iterations;
    if (!(result.circuit.fsHz >= frequencyHz.front() &&
          result.circuit.fsHz <= frequencyHz.back())) {
        fail(fitPhrase("fit-leaves-sweep"));
    }
    if (const PhraseTemplate* problem =
            crystalRangeProblem(measuredCrystalOf(result.circuit, ""))) {
        throw PhrasedError({{&fitPhrase("fit-unusable"), {}}, {problem, {}}});
    }
    result.q = kTwoPiExact * result.circuit.fsHz * result.circuit.lmH / result.circuit.rmOhm;
    result.residual = std::sqrt(found.sumOfSquares / static_cast<double>(n));
    return result;
}

MeasuredCrystal measuredCrystalOf(const CrystalCircuit& circuit, std::string name) {
    return {std::move(name), circuit.fsHz / 1e3, circuit.lmH * 1e3, circuit.rmOhm,
            circuit.c0F * 1e12};
}

}  // namespace trellon
