#pragma once

#include <span>

namespace trellon {

// The figures of one response curve, shared by the built filter's report, the choice of
// crystals and the Monte-Carlo. Attenuations are relative to the matched transfer, as the
// usual report's Amin is.
struct CurveFigures {
    double amin = 0;       // dB: the least attenuation of the curve (the loss)
    double fAmin = 0;      // Hz: where the curve has it
    double bandLow = 0;    // Hz: where the attenuation crosses Amin - level below fAmin,
    double bandHigh = 0;   //     and above it, interpolated linearly between points
    double bandwidth = 0;  // Hz: bandHigh - bandLow
    // dB: the largest minus the smallest attenuation between the first and the last local
    // minimum of attenuation inside the band; 0 with a single minimum.
    double ripple = 0;
    bool bandClosed = false;  // both edges lie inside the curve; otherwise they are its ends
};

// Whether loss, its frequency, the band and the ripple are all finite: a curve whose figures are
// not has no report.
bool figuresFinite(const CurveFigures& figures);

// The attenuation for the level of the load voltage behind a 1 V source (dB).
double attenuationOf(double levelDb);

// The figures of the curve of `levelsDb` (load voltage levels, dB) at ascending frequencies,
// with the band at `frLevel` dB (negative) below the least attenuation. At least one point.
CurveFigures measureCurve(std::span<const double> frequenciesHz, std::span<const double> levelsDb,
                          double frLevel);

}  // namespace trellon
