#include "TwoPortExport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace trellon {
namespace {

// The computed S-parameters of an asymmetric ladder (series L, shunt C, so S11 and S22 differ)
// written as a Touchstone file and read back through our own reader: every number exactly in
// real and imaginary parts, within rounding in the polar formats.
TEST(TwoPortExport, ComputedSParametersSurviveTheTouchstoneRoundTrip) {
    BuiltCircuit circuit;
    circuit.sourceResistance = 50;
    circuit.loadResistance = 75;  // replaced by the reference
    circuit.parts = {{BuiltPartKind::SeriesInductor, "L1", 11e-6, {}, 0},
                     {BuiltPartKind::ShuntCapacitor, "C1", 4.5e-9, {}, 0}};
    numberLadderNodes(circuit);
    const TwoPortData data = twoPortData(sParameters(circuit, std::vector<double>{1e5, 1e6, 3e6}));
    ASSERT_EQ(data.referenceOhm, 50);
    ASSERT_GT(std::hypot(data.s11[1].re - data.s22[1].re, data.s11[1].im - data.s22[1].im), 0.01);

    EXPECT_EQ(readTouchstone(writeTouchstone(data, TouchstoneFormat::RealImaginary), "ri.s2p"),
              data);
    for (const TouchstoneFormat format :
         {TouchstoneFormat::MagnitudeAngle, TouchstoneFormat::Decibel}) {
        const TwoPortData back = readTouchstone(writeTouchstone(data, format), "polar.s2p");
        ASSERT_EQ(back.frequencyHz, data.frequencyHz);
        for (std::size_t i = 0; i < data.frequencyHz.size(); ++i) {
            const Complex a[] = {back.s11[i], back.s21[i], back.s12[i], back.s22[i]};
            const Complex e[] = {data.s11[i], data.s21[i], data.s12[i], data.s22[i]};
            for (int p = 0; p < 4; ++p) {
                EXPECT_NEAR(a[p].re, e[p].re, 1e-15) << i << ' ' << p;
                EXPECT_NEAR(a[p].im, e[p].im, 1e-15) << i << ' ' << p;
            }
        }
    }
}

}  // namespace
}  // namespace trellon
