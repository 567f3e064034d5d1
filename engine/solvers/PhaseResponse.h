#pragma once

#include <span>
#include <vector>

#include "Complex.h"

namespace trellon {

// The phase of a transfer ratio in degrees, wrapped to (-180, 180].
double phaseDegrees(Complex transfer);

// The group delay -dphi/domega in microseconds at each frequency (Hz, strictly increasing) of a
// solved transfer ratio, from the phase of the neighbours `stride` points away: the three-point
// derivative, central inside and one-sided at the two ends. The phase steps are taken from the
// ratio of neighbouring values, so no unwrapping is needed; where the phase turns by more than
// a quarter turn between neighbours the grid is too coarse and the point gives NaN. Its error falls
// with the square of the spacing: the difference to the result with twice the stride is three times
// the error, to leading order. Points whose value is zero or not finite, and their neighbours, give
// NaN; so do all points of a grid with fewer than 2 * stride + 1 of them.
std::vector<double> groupDelayUs(std::span<const double> frequencyHz,
                                 std::span<const Complex> transfer, int stride = 1);

}  // namespace trellon
