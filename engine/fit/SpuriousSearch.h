#pragma once

#include <optional>
#include <vector>

#include "CrystalModel.h"

namespace trellon::fitting {

// The next spurious resonance the fitted model leaves in the sweep, as a start for a further
// arm: the largest excess of the measured |S21| over the model's, more than kSpurToNoise times
// the noise, above Fs and its resonance and away from the arms already found. Its resistance
// comes from what the measured admittance holds beyond the model's there (from the level when
// the phase is not fitted), its inductance from the width of the excess. Nothing when there is
// none.
std::optional<SpuriousArm> nextSpuriousStart(const std::vector<double>& frequencyHz,
                                             const std::vector<Complex>& s21,
                                             const CrystalFitResult& fit,
                                             const CrystalFixture& fixture, bool magnitudeOnly);

inline constexpr double kSpurToNoise = 8;

}  // namespace trellon::fitting
