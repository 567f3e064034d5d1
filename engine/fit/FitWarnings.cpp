#include "FitWarnings.h"

#include <cmath>

#include "CrystalFormulas.h"
#include "FitPhrases.h"
#include "FitStart.h"
#include "NumberText.h"

namespace trellon::fitting {

namespace {

// Normal sigma from the median absolute value of a zero-mean normal sample.
constexpr double kMedianToSigma = 1 / 0.6744897501960817;
// The least second differences the noise is taken from before all are used.
constexpr std::size_t kLeastNoiseSamples = 8;
// The least noise taken: the digits a sweep file holds.
constexpr double kLeastNoise = 1e-9;

constexpr double kResidualToNoise = 3;
constexpr double kSmallestC0Pf = 0.1;
constexpr double kLeastQ = 1e3;
constexpr double kMostQ = 1e7;
constexpr double kEdgeBandwidths = 3;
constexpr int kLeastSpurPoints = 3;

// What the search accepts as a physical crystal and fixture: a fitted value at or beyond one of
// these has been pushed there by something the model lacks.
constexpr double kLeastC0F = 0.01e-12;
constexpr double kMostC0F = 1000e-12;
constexpr double kLeastRmOhm = 0.01;
constexpr double kLeastLmH = 1e-6;
constexpr double kMostLmH = 100;
constexpr double kMostDelayS = 1e-6;

std::string shown(double value, int digits = 4) {
    return FormatGeneral(value, digits, '.');
}

FitWarning warning(const char* code, const PhraseTemplate& text,
                   std::vector<PhraseArgument> arguments) {
    return {code, {&text, std::move(arguments)}};
}

void addBoundWarnings(const CrystalFitResult& fit, std::vector<FitWarning>& out) {
    const CrystalCircuit& c = fit.circuit;
    const auto add = [&](const char* name, const std::string& value) {
        out.push_back(warning("at-bound", fitPhrase("warn-at-bound"), {{name}, {value}}));
    };
    if (c.c0F <= kLeastC0F || c.c0F >= kMostC0F) {
        add("C0", shown(c.c0F * 1e12) + " pF");
    }
    if (c.rmOhm <= kLeastRmOhm) {
        add("Rm", shown(c.rmOhm) + " ohm");
    }
    if (c.lmH <= kLeastLmH || c.lmH >= kMostLmH) {
        add("Lm", shown(c.lmH * 1e3) + " mH");
    }
    if (std::abs(fit.phase.slopeRadPerHz) >= kTwoPiExact * kMostDelayS) {
        add("delay", shown(-fit.phase.slopeRadPerHz / kTwoPiExact * 1e9) + " ns");
    }
}

}  // namespace

double sweepNoise(const std::vector<double>& f, const std::vector<Complex>& s21, double fsHz,
                  double bandwidthHz, bool magnitudeOnly) {
    std::vector<double> away;
    std::vector<double> all;
    for (std::size_t i = 1; i + 1 < f.size(); ++i) {
        std::vector<double> parts;
        if (magnitudeOnly) {
            const auto m = [&](std::size_t k) { return std::hypot(s21[k].re, s21[k].im); };
            parts = {m(i + 1) - 2 * m(i) + m(i - 1)};
        } else {
            parts = {s21[i + 1].re - 2 * s21[i].re + s21[i - 1].re,
                     s21[i + 1].im - 2 * s21[i].im + s21[i - 1].im};
        }
        const bool far = std::abs(f[i - 1] - fsHz) > kNoiseBandwidths * bandwidthHz &&
                         std::abs(f[i + 1] - fsHz) > kNoiseBandwidths * bandwidthHz;
        for (double part : parts) {
            all.push_back(std::abs(part));
            if (far) {
                away.push_back(std::abs(part));
            }
        }
    }
    const std::vector<double>& used = away.size() >= kLeastNoiseSamples ? away : all;
    if (used.empty()) {
        return kLeastNoise;
    }
    const double sigma = median(used) * kMedianToSigma / std::sqrt(6.0);
    // The complex error has a sigma in each of its parts.
    const double perPoint = magnitudeOnly ? sigma : std::numbers::sqrt2 * sigma;
    return std::max(perPoint, kLeastNoise);
}

int pointsInSpurWidth(const std::vector<double>& f, const CrystalFitResult& fit,
                      const SpuriousArm& arm, const CrystalFixture& fixture) {
    const double centre = fit.circuit.fsHz + arm.offsetHz;
    const double half = loadedBandwidthHz(arm.lmH, arm.rmOhm, fixture) / 2;
    int count = 0;
    for (double frequency : f) {
        count += std::abs(frequency - centre) <= half ? 1 : 0;
    }
    return count;
}

std::vector<FitWarning> fitWarnings(const CrystalFitResult& fit, const std::vector<double>& f,
                                    const CrystalFixture& fixture) {
    std::vector<FitWarning> out;
    const CrystalCircuit& c = fit.circuit;
    if (fit.residual > kResidualToNoise * fit.noise) {
        out.push_back(warning("residual", fitPhrase("warn-residual"),
                              {{shown(fit.residual, 3)},
                               {shown(fit.residual / fit.noise, 3)},
                               {shown(fit.noise, 3)}}));
    }
    addBoundWarnings(fit, out);
    if (c.c0F * 1e12 <= kSmallestC0Pf) {
        out.push_back(warning("c0-small", fitPhrase("warn-c0-small"), {{shown(c.c0F * 1e12)}}));
    }
    if (!(fit.q >= kLeastQ && fit.q <= kMostQ)) {
        out.push_back(warning("q-range", fitPhrase("warn-q-range"), {{shown(fit.q, 3)}}));
    }
    const double bandwidth = loadedBandwidthHz(c.lmH, c.rmOhm, fixture);
    const double edge = std::min(c.fsHz - f.front(), f.back() - c.fsHz);
    if (edge < kEdgeBandwidths * bandwidth) {
        out.push_back(warning("fs-near-edge", fitPhrase("warn-fs-near-edge"),
                              {{std::to_string(std::lround(edge))},
                               {std::to_string(std::lround(kEdgeBandwidths * bandwidth))}}));
    }
    for (const SpuriousArm& arm : fit.spurious) {
        const std::string offset = shown(arm.offsetHz / 1e3, 5);
        out.push_back(warning("spurious", fitPhrase("warn-spurious"), {{offset}}));
        const int points = pointsInSpurWidth(f, fit, arm, fixture);
        if (points < kLeastSpurPoints) {
            out.push_back(warning("spur-sparse", fitPhrase("warn-spur-sparse"),
                                  {{offset}, {std::to_string(points)}}));
        }
    }
    return out;
}

}  // namespace trellon::fitting
