#include "BuiltCircuit.h"

#include <gtest/gtest.h>

#include <array>
#include <complex>
#include <memory>
#include <numbers>
#include <sstream>

#include "BuiltFilterSolver.h"
#include "CalculatedRun.h"
#include "Catalogue.h"
#include "CrystalFormulas.h"
#include "MeasuredCrystalModel.h"
#include "Ngspice.h"
#include "SpiceExport.h"

namespace trellon {
namespace {

// A netlist with a solver of its own, beside the engine's circuit model.
struct SolvedNetlist {
    Netlist netlist;
    CircuitSolver solver{netlist};

    double levelAt(double f) {
        EXPECT_TRUE(solver.solve(f * kTwoPi));
        return solver.computeOutputLevel();
    }
};

class BuiltCircuitTest : public ::testing::TestWithParam<std::pair<int, int>> {};

// The middle of the schematic is an exact rearrangement of the model's sections and its ends
// match the model's at Fo, so inside the band both must give the same level. Crystals that
// differ per position must land in the same position of both circuits.
TEST_P(BuiltCircuitTest, AgreesWithTheCircuitModelInsideTheBand) {
    const auto [topology, response] = GetParam();
    CalculatedRun design(topology, response);
    const DesignState& s = design.state();
    ASSERT_LT(s.BandLow, s.BandHigh);

    std::array<CrystalModel, kMaxCrystals> nominal;
    nominal.fill(nominalCrystal(s));
    std::array<CrystalModel, kMaxCrystals> staggered = nominal;
    for (int i = 0; i < kMaxCrystals; ++i) {
        // Each position 30 Hz apart: far more than the tolerance if one lands elsewhere.
        staggered[i].motionalInductance *= 1 + 3.4e-6 * i;
    }
    for (const auto& crystals : {nominal, staggered}) {
        auto model = std::make_unique<SolvedNetlist>();
        buildNetlist(indexFromTopology(topology), s, crystals, model->netlist);
        model->solver.prepare();
        const BuiltCircuit circuit = makeBuiltCircuit(s, crystals);
        auto built = std::make_unique<SolvedNetlist>();
        buildNetlist(circuit, built->netlist);
        built->solver.prepare();
        for (int i = 0; i <= 10; ++i) {
            const double f = s.BandLow + (s.BandHigh - s.BandLow) * i / 10;
            EXPECT_NEAR(built->levelAt(f), model->levelAt(f), 0.01) << "at " << f << " Hz";
        }
    }
}

std::vector<std::pair<int, int>> everyTopologyButterworthAndChebyshev() {
    std::vector<std::pair<int, int>> designs;
    for (int topology = 1; topology <= kTopologyCount; ++topology) {
        designs.push_back({topology, 1});
        designs.push_back({topology, 6});
    }
    return designs;
}

INSTANTIATE_TEST_SUITE_P(Designs, BuiltCircuitTest,
                         ::testing::ValuesIn(everyTopologyButterworthAndChebyshev()),
                         [](const auto& info) {
                             return "Topology" + std::to_string(info.param.first) + "Response" +
                                    std::to_string(info.param.second);
                         });

// The built netlist puts its load elsewhere than the model's: ngspice reads the same output.
TEST(BuiltCircuit, NgspiceAgreesOnTheBuiltNetlist) {
    CalculatedRun design(7, 6);
    const DesignState& s = design.state();
    auto built = std::make_unique<SolvedNetlist>();
    buildNetlist(makeBuiltCircuit(s), built->netlist);
    built->solver.prepare();
    std::ostringstream deck;
    writeSpiceDeck(built->netlist, SpiceDeckCircuit::AsBuilt, SpiceSweep{s.BandLow, s.BandHigh, 5},
                   deck);

    const std::vector<SpicePoint> table = printedTable(runNgspice(deck.str(), "built"));
    ASSERT_EQ(table.size(), 5u);
    for (const SpicePoint& point : table) {
        EXPECT_NEAR(built->levelAt(point.frequency), point.levelDb, 1e-6)
            << "at " << point.frequency << " Hz";
    }
}

// One crystal with a spurious mode in series between 50 ohm terminations: the load voltage is
// RL / (RS + RL + Z), Z the holder and both motional arms in parallel, worked out here by hand.
TEST(BuiltCircuit, SpuriousArmStandsBesideTheMainArm) {
    const MeasuredCrystal crystal{.name = "X",
                                  .fsKhz = 10000,
                                  .lmMh = 12,
                                  .rmOhm = 9,
                                  .c0Pf = 3.5,
                                  .spurious = {{.offsetKhz = 40, .lmMh = 30, .rmOhm = 45}}};
    BuiltCircuit circuit;
    circuit.sourceResistance = 50;
    circuit.loadResistance = 50;
    circuit.parts.push_back({.kind = BuiltPartKind::Crystal, .name = "ZQ1"});
    placeCrystal(circuit.parts[0], crystal);
    using Cx = std::complex<double>;
    const auto arm = [](double w, double lH, double fHz, double r) {
        const double cF = 1 / (std::pow(2 * std::numbers::pi * fHz, 2) * lH);
        return Cx(r, w * lH - 1 / (w * cF));
    };
    const auto handLevel = [&](double f) {
        const double w = 2 * std::numbers::pi * f;
        const Cx y =
            Cx(0, w * 3.5e-12) + 1.0 / arm(w, 12e-3, 10e6, 9) + 1.0 / arm(w, 30e-3, 10.04e6, 45);
        return 20 * std::log10(std::abs(50.0 / (100.0 + 1.0 / y)));
    };
    const std::vector<double> frequencies{9.99e6, 10e6, 10.02e6, 10.0399e6, 10.04e6, 10.0401e6};
    std::vector<double> levels(frequencies.size());
    BuiltFilterSolver solver;
    solver.prepare(circuit);
    solver.solveLevels(frequencies, levels);
    for (std::size_t i = 0; i < frequencies.size(); ++i) {
        EXPECT_NEAR(levels[i], handLevel(frequencies[i]), 1e-8) << "at " << frequencies[i] << " Hz";
    }
    // At its resonance the spur passes what the holder alone would block.
    EXPECT_NEAR(levels[4], 20 * std::log10(50.0 / 145), 0.05);
}

}  // namespace
}  // namespace trellon
