#pragma once

#include <vector>

#include "CrystalModel.h"

// The first guesses a fit starts from, and the small pieces of arithmetic the fit's parts share.
namespace trellon::fitting {

double median(std::vector<double> values);

// The index of the largest |S21|.
std::size_t peakIndex(const std::vector<Complex>& s21);

// The loaded 3 dB bandwidth of a series resonance between the fixture's ports.
double loadedBandwidthHz(double lmH, double rmOhm, const CrystalFixture& fixture);

// The classic estimates: Fs at the least loss, Rm from that loss, Lm from the 3 dB bandwidth,
// C0 from the parallel resonance when the sweep reaches it, else from the level away from
// resonance when `phaseKnown`, else a typical ratio to Cm. Throws PhrasedError for a sweep
// without a resonance.
CrystalCircuit startEstimate(const std::vector<double>& f, const std::vector<Complex>& s21,
                             const CrystalFixture& fixture, bool phaseKnown);

// `s21` turned back by `phase`.
std::vector<Complex> withoutPhase(const std::vector<double>& f, const std::vector<Complex>& s21,
                                  const FixturePhase& phase);

}  // namespace trellon::fitting
