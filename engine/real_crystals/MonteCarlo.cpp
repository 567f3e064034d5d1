#include "MonteCarlo.h"

#include <algorithm>
#include <cmath>

#include "BuiltFilter.h"
#include "BuiltFilterSolver.h"
#include "CommandError.h"
#include "CrystalBatch.h"
#include "CrystalFormulas.h"
#include "CrystalPhrases.h"
#include "CrystalPositions.h"
#include "ParallelTasks.h"
#include "RandomStream.h"

namespace trellon {

namespace {

// 1 plus `spread` times a standard normal deviate, drawn again from the same stream while it
// would make the part non-physical. A draw that keeps the part physical is taken as it comes,
// so such samples are what they would be without the check.
double physicalRatio(double spread, RandomStream& random, auto isPhysical) {
    double ratio = 1 + spread * random.normal();
    while (!isPhysical(ratio)) {
        ratio = 1 + spread * random.normal();
    }
    return ratio;
}

// Draws the deviations of one crystal over its values.
void drawCrystal(PartCrystal& crystal, const PartSpread& spread, RandomStream& random) {
    const CrystalModel q = crystal.model;
    const double fs = 1 / (kTwoPi * std::sqrt(q.motionalInductance * q.motionalCapacitance));
    const auto positive = [](double ratio) { return ratio > 0; };
    const double fsRatio = physicalRatio(spread.sigmaFsHz / fs, random, positive);
    const double lmRatio = physicalRatio(spread.sigmaLmPercent / 100, random, positive);
    const double rm = q.motionalResistance;
    const double rmRatio = physicalRatio(spread.sigmaRmPercent / 100, random, [rm](double ratio) {
        return ratio > 0 && (rm * ratio > kSmallestRmOhm || rm <= kSmallestRmOhm);
    });
    const double c0Ratio = physicalRatio(spread.sigmaC0Percent / 100, random, positive);
    crystal.model.motionalInductance = q.motionalInductance * lmRatio;
    // Lm Cm scales with 1 / Fs^2.
    crystal.model.motionalCapacitance = q.motionalCapacitance / (fsRatio * fsRatio * lmRatio);
    crystal.model.motionalResistance = q.motionalResistance * rmRatio;
    crystal.model.holderCapacitance = q.holderCapacitance * c0Ratio;
    // A spurious mode keeps its distance above Fs; its Lm and Rm stray with the main arm's.
    for (MotionalArm& arm : crystal.spurious) {
        const double f = 1 / (kTwoPi * std::sqrt(arm.inductance * arm.capacitance));
        const double ratio = (f + fs * (fsRatio - 1)) / f;
        arm = {arm.inductance * lmRatio, arm.capacitance / (ratio * ratio * lmRatio),
               arm.resistance * rmRatio};
    }
}

// Overwrites the values of `sample` (a copy of `base`) with those of one draw. Every deviation is
// drawn whatever its spread, so that widening one spread leaves the draws of the others as
// they were; a zero spread leaves the value's bits unchanged (a pair's holder capacitance, the sum
// of its two, to its last bit). Frequencies, inductances and
// capacitances stay positive, and Rm above its smallest value unless the crystal's own is not.
void drawDeviations(const BuiltCircuit& base, BuiltCircuit& sample, const PartSpread& spread,
                    RandomStream& random) {
    const std::vector<bool> takesStray = strayTakingParts(base);
    for (std::size_t i = 0; i < base.parts.size(); ++i) {
        const BuiltPart& from = base.parts[i];
        BuiltPart& to = sample.parts[i];
        if (from.kind == BuiltPartKind::Crystal) {
            // Each crystal of a pair strays on its own.
            std::vector<PartCrystal> crystals = partCrystals(from);
            for (PartCrystal& crystal : crystals) {
                drawCrystal(crystal, spread, random);
            }
            setPartCrystals(to, crystals);
        } else {
            const double ratio =
                1 + spread.capacitorTolerancePercent * (2 * random.uniform() - 1) / 100;
            to.value = from.value * ratio;
            if (takesStray[i]) {
                to.value += spread.strayPf * 1e-12;
            }
        }
    }
}

Percentiles percentilesOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const auto at = [&](double p) {
        const double rank = std::ceil(p / 100 * static_cast<double>(values.size()));
        const auto index = static_cast<std::size_t>(std::max(rank, 1.0)) - 1;
        return values[std::min(index, values.size() - 1)];
    };
    return {at(5), at(50), at(95)};
}

Histogram histogramOf(const std::vector<double>& values, int bins) {
    const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
    Histogram histogram;
    if (!(*highest > *lowest) || !std::isfinite(*highest - *lowest)) {
        histogram.edges = {*lowest, *highest};
        histogram.counts = {static_cast<int>(values.size())};
        return histogram;
    }
    const double width = *highest - *lowest;
    for (int i = 0; i <= bins; ++i) {
        histogram.edges.push_back(i == bins ? *highest : *lowest + width * i / bins);
    }
    histogram.counts.assign(static_cast<std::size_t>(bins), 0);
    for (double value : values) {
        const auto bin = static_cast<int>((value - *lowest) / width * bins);
        ++histogram.counts[static_cast<std::size_t>(std::clamp(bin, 0, bins - 1))];
    }
    return histogram;
}

void checkSettings(const MonteCarloSettings& settings) {
    using namespace settings;
    const PartSpread& s = settings.spread;
    const bool spreadOk =
        kSigmaFs.accepts(s.sigmaFsHz) && kSigmaLm.accepts(s.sigmaLmPercent) &&
        kSigmaRm.accepts(s.sigmaRmPercent) && kSigmaC0.accepts(s.sigmaC0Percent) &&
        kCapTolerance.accepts(s.capacitorTolerancePercent) && kSpreadStray.accepts(s.strayPf);
    const bool targetsOk = targetsInRange(settings.targets);
    const bool sizeOk = kSamples.accepts(settings.samples) &&
                        kGridPoints.accepts(settings.gridPoints) &&
                        kThreads.accepts(settings.threads) &&
                        sampledLevelsFit(settings.samples, settings.gridPoints);
    if (!sizeOk || settings.histogramBins < 1 || !spreadOk || !targetsOk) {
        throw PhrasedError({Phrase{&crystalPhrase("mc-settings-range"), {}}});
    }
}

}  // namespace

BuiltCircuit perturbedCircuit(const BuiltCircuit& circuit, const PartSpread& spread,
                              std::uint64_t seed, std::uint64_t index) {
    BuiltCircuit base = circuit;
    numberLadderNodes(base);
    BuiltCircuit sample = base;
    RandomStream random(seed, index);
    drawDeviations(base, sample, spread, random);
    return sample;
}

std::optional<MonteCarloResult> RunMonteCarlo(const CalculatedDesign& design,
                                              const BuiltCircuit& circuit,
                                              const MonteCarloSettings& settings,
                                              const ProgressCallback& progress,
                                              std::atomic<bool>& cancel) {
    checkSettings(settings);
    const auto samples = static_cast<std::size_t>(settings.samples);
    MonteCarloResult result;
    result.samples = settings.samples;
    result.frequenciesHz = widenedBandGrid(design.band, settings.gridPoints);
    const std::size_t points = result.frequenciesHz.size();
    std::vector<double> levels(samples * points);
    std::vector<CurveFigures> figures(samples);

    BuiltCircuit base = circuit;
    numberLadderNodes(base);
    const int threads = taskThreads(settings.threads, samples);
    std::vector<BuiltFilterSolver> solvers(static_cast<std::size_t>(threads));
    std::vector<BuiltCircuit> sampleCircuits(static_cast<std::size_t>(threads), base);
    const auto solveSample = [&](std::size_t i, int worker) {
        BuiltFilterSolver& solver = solvers[static_cast<std::size_t>(worker)];
        BuiltCircuit& sample = sampleCircuits[static_cast<std::size_t>(worker)];
        RandomStream random(settings.seed, i);
        drawDeviations(base, sample, settings.spread, random);
        solver.prepare(sample);
        const std::span<double> curve(levels.data() + i * points, points);
        solver.solveLevels(result.frequenciesHz, curve);
        figures[i] = measureCurve(result.frequenciesHz, curve, design.frLevelDb);
    };
    if (!runParallelTasks(samples, threads, solveSample, progress, cancel)) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < samples; ++i) {
        if (!figuresFinite(figures[i])) {
            throw PhrasedError(
                {{&crystalPhrase("mc-sample-not-finite"), {{std::to_string(i + 1)}}}});
        }
    }

    result.p5Db.resize(points);
    result.p50Db.resize(points);
    result.p95Db.resize(points);
    std::vector<double> column(samples);
    for (std::size_t p = 0; p < points; ++p) {
        for (std::size_t i = 0; i < samples; ++i) {
            column[i] = levels[i * points + p];
        }
        const Percentiles envelope = percentilesOf(column);
        result.p5Db[p] = envelope.p5;
        result.p50Db[p] = envelope.p50;
        result.p95Db[p] = envelope.p95;
    }

    std::vector<double> bandwidths, ripples, losses;
    std::size_t meeting = 0;
    result.ideal = idealFigures(design);
    result.limits = targetLimits(settings.targets, result.ideal);
    for (const CurveFigures& f : figures) {
        bandwidths.push_back(f.bandwidth);
        ripples.push_back(f.ripple);
        losses.push_back(f.amin);
        const TargetMisses missed = missedTargets(f, result.limits);
        result.rippleMisses += missed.ripple ? 1 : 0;
        result.lossMisses += missed.loss ? 1 : 0;
        result.bandwidthMisses += missed.bandwidth ? 1 : 0;
        if (!missed.any()) {
            ++meeting;
        }
    }
    result.yield = static_cast<double>(meeting) / static_cast<double>(samples);
    result.bandwidth = histogramOf(bandwidths, settings.histogramBins);
    result.ripple = histogramOf(ripples, settings.histogramBins);
    result.loss = histogramOf(losses, settings.histogramBins);
    result.bandwidthPercentiles = percentilesOf(bandwidths);
    result.ripplePercentiles = percentilesOf(ripples);
    result.lossPercentiles = percentilesOf(losses);
    result.figures = std::move(figures);
    return result;
}

}  // namespace trellon
