#include "FitStart.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "CrystalFormulas.h"
#include "FitPhrases.h"

namespace trellon::fitting {

namespace {

// A typical ratio of holder to motional capacitance, for a sweep that tells nothing of C0.
constexpr double kTypicalCapacitanceRatio = 250;
// Points this many bandwidths away from resonance show C0 through the level.
constexpr double kOffResonanceBandwidths = 3;

[[noreturn]] void fail(const PhraseTemplate& reason) {
    throw PhrasedError(std::vector<Phrase>{Phrase{&reason, {}}});
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
        const Complex y = (Complex{1, 0} / z) -
                          (Complex{1, 0} / motionalImpedance(arm.fsHz, arm.lmH, arm.rmOhm, f[i]));
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

}  // namespace

double median(std::vector<double> values) {
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

std::size_t peakIndex(const std::vector<Complex>& s21) {
    std::size_t peak = 0;
    double best = -1;
    for (std::size_t i = 0; i < s21.size(); ++i) {
        const double level = std::hypot(s21[i].re, s21[i].im);
        if (level > best) {
            best = level;
            peak = i;
        }
    }
    return peak;
}

double loadedBandwidthHz(double lmH, double rmOhm, const CrystalFixture& fixture) {
    return (rmOhm + 2 * fixture.portOhm) / (kTwoPiExact * lmH);
}

CrystalCircuit startEstimate(const std::vector<double>& f, const std::vector<Complex>& s21,
                             const CrystalFixture& fixture, bool phaseKnown) {
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
    // At series resonance the crystal is Rm alone; a level at or above the fixture's own (noise)
    // still leaves a small positive start.
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
    if (!c0 && phaseKnown) {
        c0 = holderFromLevel(f, s21, fixture, start, bandwidth);
    }
    start.c0F = c0 ? *c0 : kTypicalCapacitanceRatio * cm;
    return start;
}

std::vector<Complex> withoutPhase(const std::vector<double>& f, const std::vector<Complex>& s21,
                                  const FixturePhase& phase) {
    std::vector<Complex> turned(s21.size());
    for (std::size_t i = 0; i < s21.size(); ++i) {
        const Complex back = phaseTurn(phase, f[i]);
        turned[i] = s21[i] * Complex{back.re, -back.im};
    }
    return turned;
}

}  // namespace trellon::fitting
