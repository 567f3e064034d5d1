#include "CrystalMeasurement.h"

#include <cmath>

#include "CommandError.h"
#include "CrystalFormulas.h"
#include "FloatingPoint.h"

namespace trellon {

namespace {

// The arithmetic errors are checked here rather than left to IEEE infinities, so that a
// calculation stops with the error instead of showing INF or NAN.
double divide(double numerator, double denominator) {
    if (denominator == 0) {
        throw CommandError(numerator == 0 ? kInvalidOperationText : kDivisionByZeroText);
    }
    return numerator / denominator;
}

double squareRoot(double value) {
    if (value < 0) {
        throw CommandError(kInvalidOperationText);
    }
    return std::sqrt(value);
}

}  // namespace

CrystalCapacitances MeasureCapacitances(const OscillatorReadings& r) {
    CrystalCapacitances c;
    c.Ca = r.Cs + divide(1, divide(1, r.C2) + divide(1, r.C3));
    c.Cb = r.Cs + divide(1, divide(1, r.C1) + divide(1, r.C2) + divide(1, r.C3));
    c.Cq =
        divide(c.Ca * c.Cb * (r.F2 * r.F2 - r.F1 * r.F1), r.F1 * r.F1 * c.Ca - r.F2 * r.F2 * c.Cb);
    c.Cser = divide(c.Ca * c.Cq, c.Ca + c.Cq);
    requireFinite({c.Ca, c.Cb, c.Cq, c.Cser});
    return c;
}

double MeasureInductance(const CrystalCapacitances& capacitances, double F1) {
    const double Ld = divide(1e9, kTwoPiSquared * F1 * F1 * capacitances.Cser);
    requireFinite(Ld);
    return Ld;
}

double MeasureFrequency(const CrystalCapacitances& capacitances, double Ld) {
    const double Fo = divide(1e6, squareRoot(1000 * capacitances.Cq * Ld) * kTwoPi);
    requireFinite(Fo);
    return Fo;
}

}  // namespace trellon
