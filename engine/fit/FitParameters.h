#pragma once

#include <vector>

#include "CrystalModel.h"
#include "LevenbergMarquardt.h"

namespace trellon::fitting {

// Where each quantity sits in the search's parameters: Fs as an offset in Hz from the origin's,
// the logarithms of Lm, Rm and C0; then, with the phase terms, the phase at the sweep's centre
// and its change over half the span (radians); then for each spurious arm its offset in Hz from
// where it started and the logarithms of its Lm and Rm.
struct FitLayout {
    CrystalCircuit origin;
    bool phaseTerms = false;
    FixturePhase phaseStart;
    double halfSpanHz = 1;
    std::vector<SpuriousArm> spurStarts;

    std::vector<double> initial() const;
    std::vector<double> differenceSteps() const;
    // Writes the circuit, the phase and the arms the parameters stand for into `fit`.
    void apply(const std::vector<double>& parameters, CrystalFitResult& fit) const;
};

// The sweep the search follows, and how.
struct FitTarget {
    const std::vector<double>& frequencyHz;
    const std::vector<Complex>& s21;
    const CrystalFixture& fixture;
    bool magnitudeOnly = false;
};

// The differences of the model at the parameters from the sweep: real and imaginary parts
// point by point, or the magnitudes' differences alone.
ResidualFunction residualsOf(const FitLayout& layout, const FitTarget& target);

}  // namespace trellon::fitting
