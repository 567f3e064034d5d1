#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <complex>
#include <vector>

#include "CalculatedRun.h"
#include "CrystalFormulas.h"
#include "GridSolve.h"
#include "PhaseResponse.h"
#include "TerminalResponse.h"

namespace trellon {
namespace {

using Cx = std::complex<double>;

Cx cx(Complex value) {
    return {value.re, value.im};
}

// A second-order Butterworth low-pass between 50 ohm: series L, then shunt C, cut-off 1 MHz.
// Lossless, asymmetric, and every quantity has a closed form in omega.
struct TwoElementLowpass {
    static constexpr double r = 50;
    static constexpr double omegaCut = kTwoPi * 1e6;
    const double l = std::sqrt(2.0) * r / omegaCut;
    const double c = std::sqrt(2.0) / (r * omegaCut);

    BuiltCircuit circuit() const {
        BuiltCircuit built;
        built.sourceResistance = r;
        built.loadResistance = r;
        built.parts = {{BuiltPartKind::SeriesInductor, "L1", l, {}, 0},
                       {BuiltPartKind::ShuntCapacitor, "C1", c, {}, 0}};
        numberLadderNodes(built);
        return built;
    }
    // Load voltage for the 1 V source: R / ((R + jwL)(1 + jwRC) + R).
    Cx transfer(double w) const { return r / ((Cx(r, w * l)) * Cx(1, w * r * c) + r); }
    // d arg(denominator) / d omega, the denominator being a + jb.
    double groupDelay(double w) const {
        const double a = 2 * r - w * w * l * r * c;
        const double b = w * (l + r * r * c);
        return (a * (l + r * r * c) - b * (-2 * w * l * r * c)) / (a * a + b * b);
    }
    Cx inputImpedance(double w) const { return Cx(0, w * l) + r / Cx(1, w * r * c); }
    Cx outputImpedance(double w) const { return 1.0 / (Cx(0, w * c) + 1.0 / Cx(r, w * l)); }
};

Cx reflection(Cx z) {
    return (z - TwoElementLowpass::r) / (z + TwoElementLowpass::r);
}

// Group delay (three-point derivative at 100 Hz spacing: truncation ~ (100 Hz / 1 MHz)^2),
// input impedance and all four S-parameters of a lossless two-element ladder against their
// closed forms; the port-2 quantities catch a reversal that is no reversal.
TEST(TwoElementLowpass, MatchesItsClosedForms) {
    const TwoElementLowpass lowpass;
    const BuiltCircuit built = lowpass.circuit();
    std::vector<double> f;
    for (int k = -200; k <= 200; ++k) {
        f.push_back(1e6 + 100.0 * k);
    }
    Netlist netlist;
    buildNetlist(built, netlist);
    std::vector<Complex> u;
    for (const GridPoint& point : SolveNetlistGrid(netlist, f)) {
        ASSERT_TRUE(point.solved);
        u.push_back(point.loadVoltage);
    }
    const std::vector<double> delay = groupDelayUs(f, u);
    const std::vector<TerminalPoint> terminal = inputTerminal(built, f);
    const SParameters s = sParameters(built, f);
    EXPECT_EQ(s.referenceOhm, 50);
    for (std::size_t i = 0; i < f.size(); ++i) {
        const double w = kTwoPi * f[i];
        EXPECT_NEAR(delay[i], lowpass.groupDelay(w) * 1e6, 1e-6 * delay[i]) << f[i];
        EXPECT_NEAR(phaseDegrees(u[i]), std::arg(lowpass.transfer(w)) * 180 / std::numbers::pi,
                    1e-9);
        const Cx zin = lowpass.inputImpedance(w);
        EXPECT_NEAR(std::abs(cx(terminal[i].inputImpedance) - zin), 0, 1e-12 * std::abs(zin));
        EXPECT_NEAR(terminal[i].returnLossDb, -20 * std::log10(std::abs(reflection(zin))), 1e-9);

        const Cx s21 = 2.0 * lowpass.transfer(w);
        const double x = w / TwoElementLowpass::omegaCut;
        EXPECT_NEAR(std::norm(s21), 1 / (1 + x * x * x * x), 1e-14);
        EXPECT_NEAR(std::abs(cx(s.s21[i]) - s21), 0, 1e-14);
        EXPECT_NEAR(std::abs(cx(s.s12[i]) - s21), 0, 1e-14);
        EXPECT_NEAR(std::abs(cx(s.s11[i]) - reflection(zin)), 0, 1e-14);
        EXPECT_NEAR(std::abs(cx(s.s22[i]) - reflection(lowpass.outputImpedance(w))), 0, 1e-14);
    }
}

// On a designed filter: S21 at Fo is the model's level of a matched filter within the 0.01 dB
// by which the schematic's ends differ from the model's; the ladder is reciprocal, and a ladder
// of equal crystals symmetric, while crystals that differ per position make S22 its own.
TEST(SParameters, DesignedFilterIsMatchedReciprocalAndSymmetricWhenItsCrystalsAre) {
    CalculatedRun design(7, 6);
    const DesignState& state = design.state();
    const double fo = state.Fo * 1000;
    const std::vector<double> f{state.BandLow, fo, state.FAmin, state.BandHigh};
    const SParameters nominal = sParameters(makeBuiltCircuit(state), f);
    EXPECT_NEAR(20 * std::log10(std::abs(cx(nominal.s21[1]))),
                state.LevelAtFo + 20 * std::log10(2.0), 0.01);

    std::array<CrystalModel, kMaxCrystals> crystals;
    crystals.fill(nominalCrystal(state));
    for (int i = 0; i < kMaxCrystals; ++i) {
        crystals[i].motionalInductance *= 1 + 3.4e-6 * i;
    }
    const SParameters staggered = sParameters(makeBuiltCircuit(state, crystals), f);
    for (std::size_t i = 0; i < f.size(); ++i) {
        EXPECT_NEAR(std::abs(cx(nominal.s12[i]) - cx(nominal.s21[i])), 0, 1e-9) << f[i];
        EXPECT_NEAR(std::abs(cx(nominal.s22[i]) - cx(nominal.s11[i])), 0, 1e-9) << f[i];
        EXPECT_NEAR(std::abs(cx(staggered.s12[i]) - cx(staggered.s21[i])), 0, 1e-9) << f[i];
        EXPECT_GT(std::abs(cx(staggered.s22[i]) - cx(staggered.s11[i])), 1e-3) << f[i];
        // A passive two-port gives back no more than it receives.
        EXPECT_LE(std::norm(cx(staggered.s11[i])) + std::norm(cx(staggered.s21[i])), 1 + 1e-12);
    }
}

}  // namespace
}  // namespace trellon
