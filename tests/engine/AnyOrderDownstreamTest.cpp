// An any-order ladder goes on as a calculated design: the built filter, the choice of crystals,
// the Monte-Carlo and the bench take it as they take the classic ladder's.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>

#include "AnyOrderCalculatedDesign.h"
#include "BenchCircuit.h"
#include "BenchReport.h"
#include "BuiltFilter.h"
#include "CrystalChooser.h"
#include "DesignCurveRecord.h"
#include "MonteCarlo.h"

namespace trellon {
namespace {

AnyOrderDesign butterworthFive(double rm) {
    AnyOrderInputs inputs;
    inputs.order = 5;
    inputs.bandwidthHz = 2400;
    inputs.crystal = {8.86e6, 17.15e-3, 3.3e-12, rm};
    return designAnyOrder(inputs);
}

// Traced at -10 dB, a nearly lossless Butterworth ladder of five is 9^(1/10) times as wide as
// between its 3 dB points (10 log10(1 + x^10) = 10 dB), within the 2 % that the narrow-band
// transform and C0 leave; its loss is the synthesis' own simulated loss.
TEST(AnyOrderDownstream, TracedBandFollowsTheFamilysClosedForm) {
    const AnyOrderDesign design = butterworthFive(0.001);
    const std::shared_ptr<const CalculatedDesign> calculated =
        anyOrderCalculatedDesign(design, -10);
    const CalculatedDesign& d = *calculated;
    EXPECT_FALSE(d.classic);
    EXPECT_EQ(d.crystalCount(), 5);
    EXPECT_NEAR(d.band.widthHz() / design.simulatedBandwidthHz(), std::pow(9.0, 0.1), 0.02);
    EXPECT_NEAR(d.amin, design.simulatedLossDb, 0.01);
    EXPECT_EQ(designCaption(d, '.'), "N5-butterworth-2400, Fo=8860 kHz");

    // With unequal ends the least loss is still the loss against the source's available power.
    AnyOrderInputs gaussian = design.inputs;
    gaussian.family = AnyOrderFamily::GaussianTo6Db;
    gaussian.order = 6;
    gaussian.bandwidthHz = 500;
    gaussian.crystal.motionalResistance = 10;
    const AnyOrderDesign unequal = designAnyOrder(gaussian);
    ASSERT_GT(unequal.circuit.loadResistance / unequal.circuit.sourceResistance, 1.1);
    EXPECT_NEAR(anyOrderCalculatedDesign(unequal, -10)->amin, unequal.simulatedLossDb, 0.01);

    // Its curve as the window and the response files take it: drawn relative to its peak, the
    // record peaks at 0 dB and stands at the traced level at both ends of the band.
    const CurveRecord record = designCurveRecord(d, LevelMode::RelativeToPeak, "");
    ASSERT_EQ(record.levelDb.size(), record.frequencyHz.size());
    EXPECT_NEAR(*std::max_element(record.levelDb.begin(), record.levelDb.end()), 0, 1e-9);
    EXPECT_NEAR(record.levelDb.front(), -10, 0.05);
    EXPECT_NEAR(record.levelDb.back(), -10, 0.05);
}

TEST(AnyOrderDownstream, EveryAnalysisTakesIt) {
    const std::shared_ptr<const CalculatedDesign> calculated =
        anyOrderCalculatedDesign(butterworthFive(10), -10);
    const CalculatedDesign& d = *calculated;
    // With the nominal crystal everywhere the built filter is the ideal one.
    const BuiltFilterResult nominal = solveBuiltFilter(d, d.circuit, builtCurveFrequencies(d.band));
    EXPECT_NEAR(nominal.figures.amin, d.amin, 1e-3);
    EXPECT_NEAR(nominal.figures.bandwidth, d.bandwidthAtLevel, 0.5);

    CrystalBatch batch;
    for (int i = 0; i < 5; ++i) {
        MeasuredCrystal crystal = d.nominal;
        crystal.name = "X" + std::to_string(i + 1);
        crystal.fsKhz += (i % 2 == 0 ? 1 : -1) * 0.004 * i;
        batch.crystals.push_back(crystal);
    }
    std::atomic<bool> cancel{false};
    const std::optional<CrystalChoice> choice =
        ChooseCrystals(d, batch, ChoiceSettings{}, nullptr, cancel);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->placement.size(), 5u);
    EXPECT_TRUE(std::isfinite(choice->measure));

    MonteCarloSettings settings;
    settings.samples = 50;
    settings.gridPoints = 201;
    settings.spread = {.sigmaFsHz = 2, .capacitorTolerancePercent = 1};
    const std::optional<MonteCarloResult> mc =
        RunMonteCarlo(d, d.circuit, settings, nullptr, cancel);
    ASSERT_TRUE(mc);
    EXPECT_GT(mc->yield, 0.5);

    const BenchCircuit bench = makeBenchCircuit(
        d.band, d.circuit, BenchSettings{12, {}, 2.0, MatchKind::SeriesLShuntC, 50});
    const BenchResult result = solveBench(d, bench, builtCurveFrequencies(d.band));
    EXPECT_LT(std::fabs(result.built.figures.bandwidth - d.bandwidthAtLevel),
              0.05 * d.bandwidthAtLevel);
    ASSERT_TRUE(result.port);
    EXPECT_GT(result.port->centreDb, 10);
}

}  // namespace
}  // namespace trellon
