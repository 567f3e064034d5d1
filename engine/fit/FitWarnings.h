#pragma once

#include <vector>

#include "CrystalModel.h"

namespace trellon::fitting {

// The sweep's own noise, as the RMS of |S21|'s error per point (of the complex value, or of the
// magnitude alone): from the median absolute second difference over the points more than
// kNoiseBandwidths loaded bandwidths from Fs, scaled to a normal distribution's sigma. Second
// differences of white noise of sigma have the deviation sqrt(6) sigma; a smooth response adds
// next to nothing to them.
double sweepNoise(const std::vector<double>& frequencyHz, const std::vector<Complex>& s21,
                  double fsHz, double bandwidthHz, bool magnitudeOnly);

inline constexpr double kNoiseBandwidths = 5;

// The points of the sweep inside the 3 dB width of a spurious arm loaded by the fixture's ports.
int pointsInSpurWidth(const std::vector<double>& frequencyHz, const CrystalFitResult& fit,
                      const SpuriousArm& arm, const CrystalFixture& fixture);

// Every reason the fit may not be trusted (see docs/crystal-fit.md), in a fixed order.
std::vector<FitWarning> fitWarnings(const CrystalFitResult& fit,
                                    const std::vector<double>& frequencyHz,
                                    const CrystalFixture& fixture);

}  // namespace trellon::fitting
