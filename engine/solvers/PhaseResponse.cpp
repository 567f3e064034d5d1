#include "PhaseResponse.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <stdexcept>

#include "CrystalFormulas.h"

namespace trellon {

double phaseDegrees(Complex transfer) {
    const double degrees = std::atan2(transfer.im, transfer.re) * (180 / std::numbers::pi);
    return degrees <= -180 ? degrees + 360 : degrees;
}

namespace {

constexpr double kMaxPhaseStep = std::numbers::pi / 2;

// The phase of b relative to a, in (-pi, pi].
double phaseStep(Complex a, Complex b) {
    const Complex ratio = b * Complex{a.re, -a.im};
    return std::atan2(ratio.im, ratio.re);
}

// A value whose phase means something.
bool hasPhase(Complex value) {
    return std::isfinite(value.re) && std::isfinite(value.im) && !isZero(value);
}

// The derivative at x0 of the parabola through (x0, 0), (x0 + h1, d1) and (x0 + h2, d2), for
// any two distinct non-zero offsets h1 and h2.
double threePointDerivative(double h1, double d1, double h2, double d2) {
    return h2 / (h1 * (h2 - h1)) * d1 - h1 / (h2 * (h2 - h1)) * d2;
}

}  // namespace

std::vector<double> groupDelayUs(std::span<const double> frequencyHz,
                                 std::span<const Complex> transfer, int stride) {
    if (frequencyHz.size() != transfer.size() || stride < 1) {
        throw std::invalid_argument("group delay needs one value per frequency");
    }
    const std::ptrdiff_t n = static_cast<std::ptrdiff_t>(frequencyHz.size());
    std::vector<double> delay(frequencyHz.size(), std::numeric_limits<double>::quiet_NaN());
    if (n < 2 * stride + 1) {
        return delay;
    }
    for (std::ptrdiff_t i = 0; i < n; ++i) {
        std::ptrdiff_t a = i - stride;
        std::ptrdiff_t b = i + stride;
        if (a < 0) {
            a = i + 2 * stride;
        } else if (b >= n) {
            b = i - 2 * stride;
        }
        if (!hasPhase(transfer[i]) || !hasPhase(transfer[a]) || !hasPhase(transfer[b])) {
            continue;
        }
        const double stepA = phaseStep(transfer[i], transfer[a]);
        const double stepB = phaseStep(transfer[i], transfer[b]);
        // Beyond a quarter turn between neighbours the grid is too coarse to tell the turns.
        if (std::fabs(stepA) > kMaxPhaseStep || std::fabs(stepB) > kMaxPhaseStep) {
            continue;
        }
        const double slope = threePointDerivative(frequencyHz[a] - frequencyHz[i], stepA,
                                                  frequencyHz[b] - frequencyHz[i], stepB);
        // The solutions are of omega = kTwoPi * f, so dphi/domega is dphi/df over the same factor.
        delay[i] = -slope / kTwoPi * 1e6;
    }
    return delay;
}

}  // namespace trellon
