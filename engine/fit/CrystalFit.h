#pragma once

#include <string>
#include <vector>

#include "Complex.h"
#include "CrystalBatch.h"
#include "CrystalModel.h"

namespace trellon {

// The least points a sweep must have to be fitted.
inline constexpr int kLeastFitPoints = 10;

// Fits the crystal's equivalent circuit to a swept S21 (frequencies strictly increasing): the
// start is Fs at the least loss, Rm from that loss, Lm from the 3 dB bandwidth of the loaded
// resonance, C0 from the parallel resonance when the sweep reaches it or else from the level
// away from resonance, the fixture's phase offset from the phase at the least loss; then
// Levenberg-Marquardt minimises the sum over all points of |S21 measured - S21 model|^2 (or of
// the difference of the magnitudes) over Fs (as an offset in Hz), the logarithms of Lm, Rm and
// C0 and the fixture's phase terms. Up to kMaxSpuriousModes resonances above Fs that the model
// leaves in the residual are then fitted as further arms, all arms together. Warnings say why
// the result may not be trusted (see docs/crystal-fit.md).
// Throws CommandError with the reason (the caller names the file) for a sweep with missing or
// non-finite values, fewer than kLeastFitPoints points, no resonance, a fixture loss the peak
// cannot have, a fit that does not converge, or fitted values a batch cannot hold
// (crystalRangeProblem).
CrystalFitResult fitCrystal(const std::vector<double>& frequencyHz, const std::vector<Complex>& s21,
                            const CrystalFixture& fixture, const FitModel& model = {});

// The fitted crystal in the batch's units, under `name`.
MeasuredCrystal measuredCrystalOf(const CrystalCircuit& circuit, std::string name);

// The same with the spurious modes the fit found.
MeasuredCrystal measuredCrystalOf(const CrystalFitResult& fit, std::string name);

}  // namespace trellon
