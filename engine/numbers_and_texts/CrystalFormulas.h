#pragma once

#include <numbers>

namespace trellon {

// 2*pi as the design calculation has always used it, rounded to 14 digits: every circuit
// solution (omega = kTwoPi * f) and every value derived from the design's inputs uses it, so
// that equal inputs give equal bits.
inline constexpr double kTwoPi = 6.2831853071794;

// The square the synthesis and the crystal measurement divide by. It is written out with more
// digits than kTwoPi carries and is not kTwoPi * kTwoPi in the last bit: keep it as it is.
inline constexpr double kTwoPiSquared = 39.478417604355091;

// 2*pi to every digit a double holds, for the computations that are not the design calculation:
// the fit of a measured sweep and the random numbers of the Monte-Carlo.
inline constexpr double kTwoPiExact = 2 * std::numbers::pi;

// The motional capacitance Cm = 1 / ((2 pi fs)^2 Lm) in SI units (Hz, H, F), with the 2*pi of
// the caller's computation.
inline double motionalCapacitance(double fsHz, double lmH, double twoPi) {
    const double omega = twoPi * fsHz;
    return 1 / (omega * omega * lmH);
}

// The same formula in the units the design is typed in (kHz, mH; the result in F), evaluated in
// the order the synthesis always has, which rounds differently from the SI form above.
inline double motionalCapacitanceOf(double foKhz, double ldMh) {
    constexpr double kTwoPiSquaredPerKiloMilli = kTwoPi * kTwoPi * 1000;
    return 1 / (kTwoPiSquaredPerKiloMilli * foKhz * foKhz * ldMh);
}

}  // namespace trellon
