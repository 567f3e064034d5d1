#include "CrystalFormulas.h"
#include "SpiceExport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <vector>

#include "Catalogue.h"
#include "DesignRun.h"
#include "GridSolve.h"
#include "Ngspice.h"

namespace trellon {
namespace {

class SpiceCrossCheck : public ::testing::TestWithParam<std::pair<int, int>> {};

// The synthesized circuit's deck, ten points from Fo to Fo + 10 kHz.
std::string tenPointDeck(DesignRun& run) {
    const double fo = run.state().Fo * 1000;
    std::ostringstream deck;
    writeSpiceDeck(run.engine->netlist, SpiceDeckCircuit::CalculationModel,
                   SpiceSweep{fo, fo + 10000, 10}, deck);
    return deck.str();
}

// ngspice solves the exported circuit with its own sparse elimination: its levels must match
// the engine's at every frequency of the sweep.
TEST_P(SpiceCrossCheck, NgspiceAgreesWithTheSolver) {
    const auto [topology, response] = GetParam();
    DesignRun run;
    ASSERT_TRUE(run.synthesize(topology, response));
    const double fo = run.state().Fo * 1000;
    const std::string deck = tenPointDeck(run);

    const std::string output = runNgspice(deck, run.state().TableKey);
    const std::vector<SpicePoint> table = printedTable(output);
    ASSERT_EQ(table.size(), 10u) << output;
    CircuitSolver& solver = run.engine->solver;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const double f = table[i].frequency;
        EXPECT_NEAR(f, fo + i * 10000.0 / 9, 1e-6);
        ASSERT_TRUE(solver.solve(f * kTwoPi));
        EXPECT_NEAR(solver.computeOutputLevel(), table[i].levelDb, 1e-6) << "at " << f << " Hz";
    }
}

// The grid keeps the load voltage complex: its phase must match ngspice's too (radians, compared
// modulo a whole turn).
TEST_P(SpiceCrossCheck, NgspiceAgreesWithTheGridPhase) {
    const auto [topology, response] = GetParam();
    DesignRun run;
    ASSERT_TRUE(run.synthesize(topology, response));
    std::string text = tenPointDeck(run);
    const std::size_t print = text.find("print vdb(");
    ASSERT_NE(print, std::string::npos);
    text.replace(print, 10, "print vp(");

    const std::vector<SpicePoint> table = printedTable(runNgspice(text, run.state().TableKey));
    ASSERT_EQ(table.size(), 10u);
    std::vector<double> frequencies;
    for (const SpicePoint& point : table) {
        frequencies.push_back(point.frequency);
    }
    const std::vector<GridPoint> grid = SolveGrid(run.engine->solver, frequencies);
    for (std::size_t i = 0; i < table.size(); ++i) {
        ASSERT_TRUE(grid[i].solved);
        const double phase = std::atan2(grid[i].loadVoltage.im, grid[i].loadVoltage.re);
        const double turn = 2 * std::acos(-1.0);
        EXPECT_NEAR(std::remainder(phase - table[i].levelDb, turn), 0, 1e-6)
            << "at " << frequencies[i] << " Hz";
    }
}

std::vector<std::pair<int, int>> butterworthAndChebyshevDesigns() {
    std::vector<std::pair<int, int>> designs;
    for (int topology = 1; topology <= kTopologyCount; ++topology) {
        designs.push_back({topology, 1});
        designs.push_back({topology, 8});
    }
    return designs;
}

INSTANTIATE_TEST_SUITE_P(Designs, SpiceCrossCheck,
                         ::testing::ValuesIn(butterworthAndChebyshevDesigns()),
                         [](const auto& info) {
                             return "Topology" + std::to_string(info.param.first) + "Response" +
                                    std::to_string(info.param.second);
                         });

}  // namespace
}  // namespace trellon
