#include "CentreEvaluation.h"

#include <gtest/gtest.h>

#include <cmath>

#include "Catalogue.h"
#include "DesignRun.h"
#include "Messages.h"

namespace trellon {
namespace {

const double kMatchedLoadDb = 20 * std::log10(2.0);

TEST(CentreEvaluation, ThreeCrystalButterworthLiesOnTheLowerSlopeAtFo) {
    DesignRun run;
    ASSERT_TRUE(run.synthesize(1, 1));
    const DesignState& s = run.state();
    EXPECT_NEAR(s.LevelAtFo, -15.8, 0.05);
    EXPECT_NEAR(s.AttenuationAtFo, 9.7, 0.05);
    EXPECT_EQ(s.AttenuationAtFo, -s.LevelAtFo - kMatchedLoadDb);
    EXPECT_EQ(s.Frequency, 8863682);
    // The sweep starts from the solver's last level, which must be this one.
    EXPECT_EQ(run.engine->solver.outputLevelDb, s.LevelAtFo);
}

// The highest level found in 2 Hz steps over the 10 kHz above Fo, where the pass band lies.
double passBandPeak(Engine& engine) {
    RecordingDesignView view;
    double peak = -1e300;
    const double start = engine.state.Fo * 1000;
    for (int step = 0; step <= 5000; ++step) {
        EXPECT_TRUE(SolveAtFrequency(engine, start + 2 * step, view));
        peak = std::max(peak, engine.solver.outputLevelDb);
    }
    return peak;
}

TEST(CentreEvaluation, ButterworthPassBandsLieAboveFoNearTheMatchedLevel) {
    for (int topology = 1; topology <= kTopologyCount; ++topology) {
        SCOPED_TRACE(topologyComboText(topology));
        DesignRun run;
        ASSERT_TRUE(run.synthesize(topology, 1));
        const double peak = passBandPeak(*run.engine);
        // Between about -7.1 and -6.4 dB: a little below the matched level of a lossless ladder.
        EXPECT_GT(peak, -7.15);
        EXPECT_LT(peak, -6.35);
        EXPECT_GT(run.state().AttenuationAtFo, -peak - kMatchedLoadDb);
    }
}

// With every admittance of the circuit far below the solver's pivot limit the equations are
// singular at Fo. Such a run keeps the level of the last good one.
TEST(CentreEvaluation, SingularCircuitKeepsTheEarlierLevel) {
    DesignRun run;
    ASSERT_TRUE(run.synthesize(1, 1));
    const double level = run.state().LevelAtFo;
    const double attenuation = run.state().AttenuationAtFo;
    DesignTexts texts = startupTexts();
    texts.ld = "1e30";
    texts.cs = "0";
    texts.rd = "1e30";
    EXPECT_FALSE(run.synthesize(3, 1, texts));
    EXPECT_EQ(run.view.warnings, std::vector<std::string>{messages::kNoSolution});
    EXPECT_EQ(run.view.fields.size(), 2 + 9u);
    EXPECT_EQ(run.engine->netlist.nodeCount, 24);
    EXPECT_EQ(run.state().LevelAtFo, level);
    EXPECT_EQ(run.state().AttenuationAtFo, attenuation);
}

}  // namespace
}  // namespace trellon
