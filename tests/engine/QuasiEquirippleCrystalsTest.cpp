// The quasi-equiripple ladder's ends are pairs of crystals in parallel: as designed, chosen from
// a batch, built and spread by the Monte-Carlo.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "AnyOrderCalculatedDesign.h"
#include "BuiltFilter.h"
#include "BuiltFilterSolver.h"
#include "CrystalChooser.h"
#include "CrystalPositions.h"
#include "MeasuredCrystalModel.h"
#include "MonteCarlo.h"
#include "Ngspice.h"
#include "SpiceExport.h"

namespace trellon {
namespace {

std::shared_ptr<const CalculatedDesign> quasiEquiripple(int order) {
    AnyOrderInputs inputs;
    inputs.family = AnyOrderFamily::QuasiEquiripple;
    inputs.order = order;
    inputs.bandwidthHz = 2400;
    inputs.crystal = {8.86e6, 17.15e-3, 3.3e-12, 12};
    return anyOrderCalculatedDesign(designAnyOrder(inputs), -10);
}

std::vector<double> levelsOf(const BuiltCircuit& circuit, const std::vector<double>& f) {
    BuiltFilterSolver solver;
    solver.prepare(circuit);
    std::vector<double> levels(f.size());
    solver.solveLevels(f, levels);
    return levels;
}

// Two equal arms in parallel are one arm of half the inductance and resistance and twice the
// capacitance; the holders add up. The nominal pair and that one crystal give the same filter.
TEST(QuasiEquirippleCrystals, NominalPairIsOneCrystalOfHalfTheInductance) {
    const auto design = quasiEquiripple(6);
    const CalculatedDesign& d = *design;
    EXPECT_EQ(d.crystalCount(), 8);
    EXPECT_EQ(
        crystalPositionNames(d.circuit),
        (std::vector<std::string>{"ZQ1a", "ZQ1b", "ZQ2", "ZQ3", "ZQ4", "ZQ5", "ZQ6a", "ZQ6b"}));
    BuiltCircuit halved = d.circuit;
    for (BuiltPart& part : halved.parts) {
        if (part.parallelCrystals == 2) {
            CrystalModel& q = part.crystal;
            q = {q.motionalInductance / 2, q.motionalCapacitance * 2, q.motionalResistance / 2,
                 q.holderCapacitance};  // already both holders
            part = BuiltPart{part.kind, part.name, part.value, q, part.node};
        }
    }
    const std::vector<double> f = widenedBandGrid(d.band, 801);
    const std::vector<double> pair = levelsOf(d.circuit, f);
    const std::vector<double> single = levelsOf(halved, f);
    for (std::size_t k = 0; k < f.size(); ++k) {
        ASSERT_TRUE(std::isfinite(pair[k])) << f[k];
        EXPECT_NEAR(pair[k], single[k], 1e-9) << "at " << f[k] << " Hz";
    }
}

// Eight crystals of a batch, two of them with a spurious mode, for a ladder of six: the pairs make
// both orders of their crystals one placement, so the choice tries all 8!/8 of them. The built
// filter holds each crystal where the choice put it, and ngspice agrees with its levels.
TEST(QuasiEquirippleCrystals, ChosenFromABatchBuildsAsNgspiceSolvesIt) {
    const auto design = quasiEquiripple(6);
    const CalculatedDesign& d = *design;
    const double offsetsHz[] = {-35, 12, 40, -8, 27, -21, 3, 55};
    CrystalBatch batch;
    for (int i = 0; i < 8; ++i) {
        MeasuredCrystal crystal = d.nominal;
        crystal.name = "X" + std::to_string(i + 1);
        crystal.fsKhz += offsetsHz[i] / 1000;
        crystal.rmOhm *= 1 + 0.05 * (i % 3);
        crystal.c0Pf *= 1 + 0.02 * (i % 4);
        if (i % 5 == 1) {
            crystal.spurious = {{12.5 + i, 40, 60}};
        }
        batch.crystals.push_back(crystal);
    }
    ChoiceSettings settings;
    settings.threads = 1;
    settings.measurePoints = 5;
    settings.measure = ChoiceMeasure::Absolute;
    std::atomic<bool> cancel{false};
    const std::optional<CrystalChoice> choice = ChooseCrystals(d, batch, settings, nullptr, cancel);
    ASSERT_TRUE(choice);
    EXPECT_TRUE(choice->exhaustive);
    ASSERT_EQ(choice->placement.size(), 8u);
    EXPECT_LE(choice->measure, choice->naiveMeasure);

    std::vector<MeasuredCrystal> placed;
    for (std::size_t index : choice->placement) {
        placed.push_back(batch.crystals[index]);
    }
    const BuiltCircuit built = makeBuiltFilter(d, placed);
    std::size_t position = 0;
    for (const BuiltPart& part : built.parts) {
        if (part.kind != BuiltPartKind::Crystal) {
            continue;
        }
        for (const PartCrystal& crystal : partCrystals(part)) {
            const PartCrystal expected = partCrystalOf(placed[position++]);
            EXPECT_EQ(crystal.spurious, expected.spurious) << part.name;
            EXPECT_EQ(crystal.model.motionalInductance, expected.model.motionalInductance);
            EXPECT_EQ(crystal.model.motionalCapacitance, expected.model.motionalCapacitance);
            EXPECT_NEAR(crystal.model.holderCapacitance, expected.model.holderCapacitance, 1e-27);
        }
    }
    EXPECT_EQ(position, 8u);

    Netlist netlist;
    buildNetlist(built, netlist);
    std::ostringstream deck;
    writeSpiceDeck(netlist, SpiceDeckCircuit::AsBuilt,
                   SpiceSweep{d.band.lowHz() - 600, d.band.highHz() + 600, 12}, deck);
    const std::vector<SpicePoint> table = printedTable(runNgspice(deck.str(), "qer-pairs"));
    ASSERT_EQ(table.size(), 12u);
    BuiltFilterSolver solver;
    solver.prepare(built);
    for (const SpicePoint& point : table) {
        double level = 0;
        solver.solveLevels(std::span(&point.frequency, 1), std::span(&level, 1));
        EXPECT_NEAR(level, point.levelDb, 1e-6) << "at " << point.frequency << " Hz";
    }
}

// Without spread a sample is the design; with Fs spread alone the two crystals of a pair stray
// apart, each drawn on its own, and the run completes with finite figures.
TEST(QuasiEquirippleCrystals, MonteCarloSpreadsEachCrystalOfAPair) {
    const auto design = quasiEquiripple(6);
    const CalculatedDesign& d = *design;
    MonteCarloSettings settings;
    settings.samples = 3;
    settings.gridPoints = 101;
    settings.threads = 1;
    settings.spread = {0, 0, 0, 0, 0, 0};
    std::atomic<bool> cancel{false};
    const std::optional<MonteCarloResult> still =
        RunMonteCarlo(d, d.circuit, settings, nullptr, cancel);
    ASSERT_TRUE(still);
    const std::vector<double> nominal = levelsOf(d.circuit, still->frequenciesHz);
    for (std::size_t k = 0; k < nominal.size(); ++k) {
        EXPECT_EQ(still->p50Db[k], nominal[k]) << k;
    }

    const PartSpread fsOnly{.sigmaFsHz = 20,
                            .sigmaLmPercent = 0,
                            .sigmaRmPercent = 0,
                            .sigmaC0Percent = 0,
                            .capacitorTolerancePercent = 0,
                            .strayPf = 0};
    const BuiltCircuit sample = perturbedCircuit(d.circuit, fsOnly, 7, 0);
    const BuiltPart& zq1 = *std::ranges::find(sample.parts, "ZQ1", &BuiltPart::name);
    const std::vector<PartCrystal> ends = partCrystals(zq1);
    ASSERT_EQ(ends.size(), 2u);
    const auto fs = [](const CrystalModel& q) {
        return 1 / (2 * std::numbers::pi * std::sqrt(q.motionalInductance * q.motionalCapacitance));
    };
    EXPECT_GT(std::fabs(fs(ends[0].model) - fs(ends[1].model)), 0.1);
    EXPECT_EQ(ends[0].model.holderCapacitance, 3.3e-12);
    EXPECT_EQ(ends[1].model.holderCapacitance, 3.3e-12);

    settings.samples = 40;
    settings.spread = PartSpread{};
    const std::optional<MonteCarloResult> spread =
        RunMonteCarlo(d, d.circuit, settings, nullptr, cancel);
    ASSERT_TRUE(spread);
    EXPECT_TRUE(std::isfinite(spread->yield));
}

}  // namespace
}  // namespace trellon
