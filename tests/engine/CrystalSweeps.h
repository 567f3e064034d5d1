#pragma once

#include <cmath>
#include <complex>
#include <numbers>
#include <string>
#include <vector>

#include "Complex.h"
#include "RandomStream.h"
#include "Touchstone.h"

namespace trellon::test {

// A crystal known in advance, in SI units, and the fixture it is swept in.
struct KnownCrystal {
    double fsHz;
    double lmH;
    double q;  // unloaded
    double c0F;
    double portOhm;

    double rmOhm() const { return 2 * std::numbers::pi * fsHz * lmH / q; }
    double cmF() const {
        const double ws = 2 * std::numbers::pi * fsHz;
        return 1 / (ws * ws * lmH);
    }
    double parallelHz() const { return fsHz * std::sqrt(1 + cmF() / c0F); }
    // The 3 dB bandwidth of the resonance loaded by both ports.
    double loadedBandwidthHz() const {
        return (rmOhm() + 2 * portOhm) / (2 * std::numbers::pi * lmH);
    }
};

// S21 of the crystal in series between the ports, from the textbook admittance sum in
// std::complex, apart from the fit's own arithmetic.
inline std::complex<double> textbookS21(const KnownCrystal& c, double frequencyHz,
                                        double lossDb = 0) {
    using C = std::complex<double>;
    const double w = 2 * std::numbers::pi * frequencyHz;
    const C arm = C(c.rmOhm(), w * c.lmH) + 1.0 / C(0, w * c.cmF());
    const C z = 1.0 / (1.0 / arm + C(0, w * c.c0F));
    return std::pow(10.0, -lossDb / 20) * 2 * c.portOhm / (2 * c.portOhm + z);
}

// A sweep of `points` from lowHz to highHz with normal noise of `noise` on the real and the
// imaginary part, from a fixed seed.
inline TwoPortData noisySweep(const KnownCrystal& c, double lowHz, double highHz, int points,
                              double noise, std::uint64_t seed, double lossDb = 0) {
    TwoPortData data;
    data.referenceOhm = c.portOhm;
    RandomStream random(1, seed);
    for (int i = 0; i < points; ++i) {
        const double f = lowHz + (highHz - lowHz) * i / (points - 1);
        const std::complex<double> s = textbookS21(c, f, lossDb);
        const double re = s.real() + noise * random.normal();
        const double im = s.imag() + noise * random.normal();
        data.frequencyHz.push_back(f);
        data.s21.push_back({re, im});
        data.s12.push_back({re, im});
        // A series element reflects what it does not pass.
        data.s11.push_back({1 - s.real(), -s.imag()});
        data.s22.push_back({1 - s.real(), -s.imag()});
    }
    return data;
}

// What a real fixture and crystal add to the textbook sweep: the phase of cables and adapters,
// an offset and a delay, and spurious modes, each a further arm across C0 offsetHz above Fs.
struct SpuriousArmOf {
    double offsetHz;
    double lmH;
    double rmOhm;
};
struct FixtureFaults {
    double delayS = 0;
    double phaseRad = 0;
    std::vector<SpuriousArmOf> spurs{};
};

inline std::complex<double> faultyS21(const KnownCrystal& c, double frequencyHz, double lossDb,
                                      const FixtureFaults& faults) {
    using C = std::complex<double>;
    const double w = 2 * std::numbers::pi * frequencyHz;
    const auto arm = [&](double fsHz, double lmH, double rmOhm) {
        const double ws = 2 * std::numbers::pi * fsHz;
        return C(rmOhm, w * lmH) + 1.0 / C(0, w / (ws * ws * lmH));
    };
    C y = 1.0 / arm(c.fsHz, c.lmH, c.rmOhm()) + C(0, w * c.c0F);
    for (const SpuriousArmOf& spur : faults.spurs) {
        y += 1.0 / arm(c.fsHz + spur.offsetHz, spur.lmH, spur.rmOhm);
    }
    const C crystal = std::pow(10.0, -lossDb / 20) * 2 * c.portOhm / (2 * c.portOhm + 1.0 / y);
    return crystal * std::polar(1.0, faults.phaseRad - w * faults.delayS);
}

// noisySweep's sweep with the faults.
inline TwoPortData faultySweep(const KnownCrystal& c, double lowHz, double highHz, int points,
                               double noise, std::uint64_t seed, const FixtureFaults& faults,
                               double lossDb = 0) {
    TwoPortData data = noisySweep(c, lowHz, highHz, points, noise, seed, lossDb);
    for (std::size_t i = 0; i < data.s21.size(); ++i) {
        const std::complex<double> clean = textbookS21(c, data.frequencyHz[i], lossDb);
        const std::complex<double> s = faultyS21(c, data.frequencyHz[i], lossDb, faults);
        data.s21[i] = {s.real() + (data.s21[i].re - clean.real()),
                       s.imag() + (data.s21[i].im - clean.imag())};
        data.s12[i] = data.s21[i];
    }
    return data;
}

}  // namespace trellon::test
