#include "CrystalFormulas.h"
#include "MatchingNetwork.h"

#include <gtest/gtest.h>

#include <complex>

#include "Engine.h"

namespace trellon {
namespace {

using Impedance = std::complex<double>;

Impedance parallel(Impedance a, Impedance b) {
    return a * b / (a + b);
}

// The impedance the system side sees into the network terminated in `filterOhm`, lossless
// elements, written out from the circuit rather than from the design formulas.
Impedance seenFromSystem(const MatchingNetwork& n, double filterOhm, double omega) {
    const bool seriesL = n.kind == MatchKind::SeriesLShuntC;
    const Impedance series =
        seriesL ? Impedance(0, omega * n.seriesValue) : Impedance(0, -1 / (omega * n.seriesValue));
    const Impedance shunt =
        seriesL ? Impedance(0, -1 / (omega * n.shuntValue)) : Impedance(0, omega * n.shuntValue);
    if (n.seriesOnFilterSide) {
        return parallel(shunt, series + filterOhm);
    }
    return series + parallel(shunt, Impedance(filterOhm));
}

TEST(MatchingNetwork, SystemSideSeesTheSystemResistanceAtTheCentre) {
    const double f = 8'998'765.4;
    for (MatchKind kind : {MatchKind::SeriesLShuntC, MatchKind::SeriesCShuntL}) {
        for (const auto& [system, filter] : {std::pair{50.0, 1327.3}, std::pair{600.0, 120.5}}) {
            const MatchingNetwork n = designMatchingNetwork(kind, system, filter, f);
            ASSERT_EQ(n.kind, kind);
            EXPECT_EQ(n.seriesOnFilterSide, filter < system);
            const Impedance z = seenFromSystem(n, filter, kTwoPi * f);
            EXPECT_NEAR(z.real(), system, 1e-9 * system);
            EXPECT_NEAR(z.imag(), 0, 1e-9 * system);
        }
    }
    const MatchingNetwork t = designMatchingNetwork(MatchKind::Transformer, 50, 1327.3, f);
    EXPECT_NEAR(t.turnsRatio * t.turnsRatio, 1327.3 / 50, 1e-12 * 1327.3 / 50);
    EXPECT_EQ(designMatchingNetwork(MatchKind::SeriesLShuntC, 50, 50, f).kind, MatchKind::None);
    EXPECT_THROW(designMatchingNetwork(MatchKind::SeriesLShuntC, 0, 50, f), std::invalid_argument);
}

// The networks go in mirror order at the two ends, the series element towards the lower
// resistance, and the circuit is then driven from and loaded by the system resistance.
TEST(MatchingNetwork, NetworksSitAtBothEndsInMirrorOrder) {
    BuiltCircuit filter;
    filter.sourceResistance = filter.loadResistance = 1000;
    BuiltPart c1;
    c1.name = "C1";
    filter.parts = {c1};
    const MatchingNetwork n = designMatchingNetwork(MatchKind::SeriesLShuntC, 50, 1000, 1e7);
    const BuiltCircuit matched = withMatchingNetworks(filter, n, 50);
    EXPECT_EQ(matched.sourceResistance, 50);
    EXPECT_EQ(matched.loadResistance, 50);
    ASSERT_EQ(matched.parts.size(), 5u);
    const char* names[] = {"Lin", "Cin", "C1", "Cout", "Lout"};
    const BuiltPartKind kinds[] = {BuiltPartKind::SeriesInductor, BuiltPartKind::ShuntCapacitor,
                                   BuiltPartKind::ShuntCapacitor, BuiltPartKind::ShuntCapacitor,
                                   BuiltPartKind::SeriesInductor};
    const int nodes[] = {2, 3, 3, 3, 3};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(matched.parts[i].name, names[i]);
        EXPECT_EQ(matched.parts[i].kind, kinds[i]);
        EXPECT_EQ(matched.parts[i].node, nodes[i]) << names[i];
    }
    const MatchingNetwork t = designMatchingNetwork(MatchKind::Transformer, 50, 1000, 1e7);
    EXPECT_EQ(withMatchingNetworks(filter, t, 50).sourceResistance, 1000);
}

}  // namespace
}  // namespace trellon
