#pragma once

#include <functional>
#include <span>

namespace trellon {

// How a built curve matches the ideal one after the best common level offset: `deviation` is the
// half range of the level deviations (dB) once their midrange is taken off, `offsetDb` is that
// midrange as attenuation (positive: the built filter loses more), `shiftHz` the frequency shift
// the deviations were taken at (positive: the built filter lies higher).
struct ShapeFit {
    double deviation = 0;
    double shiftHz = 0;
    double offsetDb = 0;
};

// The fit of level deviations (built minus ideal, dB) taken at `shiftHz`. A deviation that is not
// a number (a silent point) makes the fit as bad as a fit can be.
ShapeFit levelFit(std::span<const double> levelDeviations, double shiftHz);

// Level deviations (built minus ideal, dB) at every frequency of the measure moved by a shift (Hz).
using ShiftedDeviations = std::function<void(double shiftHz, std::span<double> deviations)>;

// The best fit over shifts in [lowHz, highHz] by golden section down to `toleranceHz`, starting
// from `known` (a fit already solved inside that range) so that it never returns a worse one.
ShapeFit refineShift(const ShiftedDeviations& deviations, std::span<double> scratch, double lowHz,
                     double highHz, double toleranceHz, ShapeFit known);

// The best fit over shifts within `reachHz` of `shiftHz` of deviations that move linearly with the
// shift at `slopes` (dB per Hz) from `levelDeviations` taken at `shiftHz`: a cheap estimate of a
// placement's measure near a placement whose slopes are known.
ShapeFit linearisedFit(std::span<const double> levelDeviations, std::span<const double> slopes,
                       double shiftHz, double reachHz, std::span<double> scratch);

}  // namespace trellon
