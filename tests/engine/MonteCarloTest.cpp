#include "MonteCarlo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>

#include "BuiltFilter.h"
#include "BuiltFilterSolver.h"
#include "CalculatedRun.h"
#include "Engine.h"
#include "MeasuredCrystalModel.h"
#include "MonteCarloCsv.h"
#include "MonteCarloReport.h"
#include "NumberText.h"
#include "RandomStream.h"

namespace trellon {
namespace {

std::optional<MonteCarloResult> run(const CalculatedRun& design,
                                    const MonteCarloSettings& settings) {
    const std::shared_ptr<const CalculatedDesign> calculated = design.calculated();
    std::atomic<bool> cancel{false};
    return RunMonteCarlo(*calculated, calculated->circuit, settings, nullptr, cancel);
}

// The published first outputs of splitmix64 from 0 and of xoshiro256** from {1, 2, 3, 4};
// Box-Muller's draws have the standard normal's mean and deviation. Pinned bits also tell a
// compiler or library that draws differently.
TEST(MonteCarlo, RandomNumbersFollowTheirReferences) {
    std::uint64_t state = 0;
    EXPECT_EQ(RandomStream::splitMix64(state), 0xE220A8397B1DCDAFu);
    EXPECT_EQ(RandomStream::splitMix64(state), 0x6E789E6AA1B965F4u);
    RandomStream xoshiro({1, 2, 3, 4});
    for (std::uint64_t expected : {11520ull, 0ull, 1509978240ull, 1215971899390074240ull}) {
        EXPECT_EQ(xoshiro.next(), expected);
    }
    // A sample's stream and normal transform as an independent Python implementation
    // (same formulas, same C library) computes them; repr keeps every bit.
    RandomStream sample(1, 5);
    for (double expected : {0.14572378632023947, 1.0617503361166991, 0.17397376209274173}) {
        EXPECT_EQ(sample.normal(), expected);
    }
    EXPECT_EQ(sample.uniform(), 0.7248827538983572);

    RandomStream random(1, 7);
    double sum = 0, squares = 0;
    constexpr int kDraws = 200000;
    for (int i = 0; i < kDraws; ++i) {
        const double z = random.normal();
        sum += z;
        squares += z * z;
    }
    EXPECT_NEAR(sum / kDraws, 0, 0.01);                 // 4.5 standard errors
    EXPECT_NEAR(std::sqrt(squares / kDraws), 1, 0.01);  // 6 standard errors
}

// Without spread every sample is the circuit as built: the three envelopes are its curve, bit
// for bit, and each figure has a single value.
TEST(MonteCarlo, ZeroSpreadGivesThreeEqualEnvelopesOnTheNominalCurve) {
    CalculatedRun design(7, 8);
    const DesignState& s = design.state();
    const std::shared_ptr<const CalculatedDesign> calculated = design.calculated();
    const CalculatedDesign& d = *calculated;
    MonteCarloSettings settings;
    settings.samples = 16;
    const auto result = run(design, settings);
    ASSERT_TRUE(result);
    ASSERT_EQ(result->frequenciesHz.size(), 801u);
    EXPECT_EQ(result->frequenciesHz.front(), s.BandLow - (s.BandHigh - s.BandLow) / 2);
    EXPECT_NEAR(result->frequenciesHz.back(), s.BandHigh + (s.BandHigh - s.BandLow) / 2, 1e-6);
    const BuiltFilterResult nominal =
        solveBuiltFilter(d, makeBuiltCircuit(s), result->frequenciesHz, 1);
    for (std::size_t p = 0; p < nominal.levelsDb.size(); ++p) {
        ASSERT_EQ(result->p5Db[p], nominal.levelsDb[p]);
        ASSERT_EQ(result->p50Db[p], nominal.levelsDb[p]);
        ASSERT_EQ(result->p95Db[p], nominal.levelsDb[p]);
    }
    EXPECT_EQ(result->lossPercentiles.p5, nominal.figures.amin);
    EXPECT_EQ(result->lossPercentiles.p95, nominal.figures.amin);
    EXPECT_EQ(result->bandwidth.counts, std::vector<int>{16});
}

// Each sample draws from its own stream, so the threads only share out the work.
TEST(MonteCarlo, SameSeedGivesTheSameResultWithOneAndTwoThreads) {
    CalculatedRun design(7, 8);
    MonteCarloSettings settings;
    settings.samples = 64;
    settings.spread = {40, 0.5, 10, 2, 1, 0.5};
    settings.threads = 1;
    const auto one = run(design, settings);
    settings.threads = 2;
    const auto two = run(design, settings);
    ASSERT_TRUE(one && two);
    EXPECT_EQ(one->p5Db, two->p5Db);
    EXPECT_EQ(one->p50Db, two->p50Db);
    EXPECT_EQ(one->p95Db, two->p95Db);
    EXPECT_EQ(one->ripple.edges, two->ripple.edges);
    EXPECT_EQ(one->ripple.counts, two->ripple.counts);
    EXPECT_EQ(one->yield, two->yield);
    EXPECT_NE(one->p5Db, one->p95Db);
    settings.seed = 2;
    EXPECT_NE(run(design, settings)->p50Db, two->p50Db);
}

// A sample's crystal resonates where its drawn Fs deviation puts it (closed form
// 1 / (2 pi sqrt(Lm Cm))), and a wider Fs spread fails more samples.
TEST(MonteCarlo, LargerFsSpreadLowersTheYield) {
    CalculatedRun design(7, 8);
    const DesignState& s = design.state();
    PartSpread spread;
    spread.sigmaFsHz = 50;
    spread.sigmaLmPercent = 1;
    const BuiltCircuit sample = perturbedCircuit(makeBuiltCircuit(s), spread, 1, 5);
    // The draws in ladder order: one uniform per capacitor, Fs first of each crystal's four.
    RandomStream random(1, 5);
    for (const BuiltPart& part : sample.parts) {
        if (part.kind != BuiltPartKind::Crystal) {
            random.uniform();
            continue;
        }
        const double fs = s.Fo * 1000 + 50 * random.normal();
        const CrystalModel& q = part.crystal;
        EXPECT_NEAR(
            1 / (2 * std::numbers::pi * std::sqrt(q.motionalInductance * q.motionalCapacitance)),
            fs, 1e-5);
        break;
    }

    MonteCarloSettings settings;
    settings.samples = 200;
    settings.targets = {
        .kind = TargetKind::Absolute, .maxRippleDb = 2, .bandwidthTolerancePercent = 5};
    settings.targets.maxLossDb = s.Amin + 1;
    settings.spread.sigmaFsHz = 10;
    const double narrow = run(design, settings)->yield;
    settings.spread.sigmaFsHz = 100;
    const double wide = run(design, settings)->yield;
    EXPECT_GT(narrow, 0.8);
    EXPECT_LT(wide, narrow - 0.3);
}

// Relative targets follow each filter's own figures, so small spreads meet them in most samples
// whatever the topology. The targets are checked against the figures of the circuit as built
// with the nominal crystal on the built curve's grid (1 Hz apart as the trace, but at other
// frequencies): loss within 1e-3 dB, ripple within 0.01 dB.
TEST(MonteCarlo, DefaultTargetsFollowTheIdealFilterOfEveryTopology) {
    for (int topology = 1; topology <= 7; ++topology) {
        SCOPED_TRACE(topology);
        CalculatedRun design(topology, topology == 7 ? 8 : 1);
        const std::shared_ptr<const CalculatedDesign> calculated = design.calculated();
        const CalculatedDesign& d = *calculated;
        MonteCarloSettings settings;
        settings.samples = 100;
        settings.gridPoints = 401;
        settings.spread = {.sigmaFsHz = 2,
                           .sigmaLmPercent = 0.5,
                           .sigmaRmPercent = 0.5,
                           .sigmaC0Percent = 0.5,
                           .capacitorTolerancePercent = 1};
        const MonteCarloResult r = *run(design, settings);
        EXPECT_GT(r.yield, 0.5);
        const std::vector<double> grid = builtCurveFrequencies(d.band);
        std::vector<double> levels(grid.size());
        BuiltCircuit nominal = d.circuit;
        numberLadderNodes(nominal);
        BuiltFilterSolver solver;
        solver.prepare(nominal);
        solver.solveLevels(grid, levels);
        const CurveFigures ideal = measureCurve(grid, levels, d.frLevelDb);
        EXPECT_NEAR(r.limits.maxLossDb, ideal.amin + 1, 1e-3);
        EXPECT_NEAR(r.limits.maxRippleDb, ideal.ripple + 1, 0.01);
        EXPECT_EQ(r.limits.bandwidthTolerancePercent, 10);
    }
}

// Absolute targets beyond the ideal filter's own reach say so in the block, whose first line
// reads as it did before relative targets.
TEST(MonteCarlo, ReportNamesATargetTheIdealFilterMisses) {
    CalculatedRun design(7, 8);
    const std::shared_ptr<const CalculatedDesign> calculated = design.calculated();
    const CalculatedDesign& d = *calculated;
    MonteCarloSettings settings;
    settings.samples = 4;
    settings.targets = {.kind = TargetKind::Absolute, .maxRippleDb = 3};
    settings.targets.maxLossDb = 1.5;
    const MonteCarloResult r = *run(design, settings);
    ASSERT_GT(d.amin, 1.5);
    const std::vector<std::string> lines = monteCarloReportLines(d, r, settings.targets, '.');
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0],
              "Monte-Carlo: 4 samples;  yield 0 % (ripple <= 3 dB, dF within +-10 %, Amin <= 1.5 "
              "dB);");
    EXPECT_EQ(lines[1], "The ideal filter itself misses Amin <= 1.5 dB: its Amin is " +
                            FormatGeneral(d.amin, 3, '.') + " dB;");
    EXPECT_EQ(r.lossMisses, 4);
}

// The figures CSV, read back, gives the yield and each target's misses of the run, and its
// bandwidths give the run's percentiles by nearest rank; a ripple target of 0 dB is missed by
// every sample with more than one minimum in its band.
TEST(MonteCarlo, FiguresFileAgreesWithTheYieldAndTheMisses) {
    CalculatedRun design(7, 8);
    MonteCarloSettings settings;
    settings.samples = 150;
    settings.spread.sigmaFsHz = 60;
    settings.targets = {
        .kind = TargetKind::Absolute, .maxRippleDb = 0.5, .bandwidthTolerancePercent = 3};
    settings.targets.maxLossDb = design.state().Amin + 1;
    const MonteCarloResult r = *run(design, settings);
    const std::string csv = writeMonteCarloCsv(r);
    std::istringstream lines(csv);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line,
              "sample,bandwidth_hz,ripple_db,amin_db,meets_bandwidth,meets_ripple,meets_loss");
    int rows = 0, meetingAll = 0;
    int misses[3] = {};
    std::vector<double> bandwidths;
    while (std::getline(lines, line)) {
        std::vector<double> cells;
        std::istringstream row(line);
        for (std::string cell; std::getline(row, cell, ',');) {
            cells.push_back(std::stod(cell));
        }
        ASSERT_EQ(cells.size(), 7u);
        EXPECT_EQ(cells[0], ++rows);
        bandwidths.push_back(cells[1]);
        for (int t = 0; t < 3; ++t) {
            misses[t] += cells[4 + t] == 0 ? 1 : 0;
        }
        meetingAll += cells[4] + cells[5] + cells[6] == 3 ? 1 : 0;
    }
    EXPECT_EQ(rows, 150);
    EXPECT_EQ(meetingAll, std::lround(r.yield * 150));
    EXPECT_EQ(misses[0], r.bandwidthMisses);
    EXPECT_EQ(misses[1], r.rippleMisses);
    EXPECT_EQ(misses[2], r.lossMisses);
    EXPECT_GT(r.rippleMisses + r.bandwidthMisses, 0);
    std::sort(bandwidths.begin(), bandwidths.end());
    EXPECT_EQ(bandwidths[std::size_t(std::ceil(0.5 * 150)) - 1], r.bandwidthPercentiles.p50);
    EXPECT_EQ(bandwidths[std::size_t(std::ceil(0.95 * 150)) - 1], r.bandwidthPercentiles.p95);
}

// Spreads at their caps draw many deviates that would make a part negative; those are drawn
// again, so every part stays physical and no sample shows a gain.
TEST(MonteCarlo, WideSpreadsKeepEveryPartPhysical) {
    CalculatedRun design(7, 8);
    const PartSpread spread{
        .sigmaFsHz = 99e3, .sigmaLmPercent = 99, .sigmaRmPercent = 99, .sigmaC0Percent = 99};
    for (std::uint64_t index = 0; index < 50; ++index) {
        for (const BuiltPart& part :
             perturbedCircuit(makeBuiltCircuit(design.state()), spread, 3, index).parts) {
            const CrystalModel& q = part.crystal;
            if (part.kind == BuiltPartKind::Crystal) {
                ASSERT_GT(q.motionalInductance, 0) << index;
                ASSERT_GT(q.motionalCapacitance, 0) << index;
                ASSERT_GT(q.motionalResistance, 1e-3) << index;
                ASSERT_GT(q.holderCapacitance, 0) << index;
            }
        }
    }
    MonteCarloSettings settings;
    settings.samples = 100;
    settings.spread = spread;
    settings.spread.sigmaFsHz = 0;
    const auto result = run(design, settings);
    ASSERT_TRUE(result);
    EXPECT_GE(result->lossPercentiles.p5, -1e-9);
}

// A spurious mode is a resonance of the same plate: a sample whose Fs moves by d has its spur
// moved by d, and the spur's Lm and Rm stray by the main arm's ratios.
TEST(MonteCarlo, SpuriousModesKeepTheirOffsetFromFs) {
    CalculatedRun design(2, 8);
    const std::shared_ptr<const CalculatedDesign> calculated = design.calculated();
    MeasuredCrystal crystal = nominalMeasuredCrystal(design.state());
    crystal.spurious = {{.offsetKhz = 25, .lmMh = 3 * crystal.lmMh, .rmOhm = 40}};
    const BuiltCircuit base =
        makeBuiltFilter(*calculated, std::vector<MeasuredCrystal>(4, crystal));
    const PartSpread spread{.sigmaFsHz = 400, .sigmaLmPercent = 5, .sigmaRmPercent = 10};
    const auto resonance = [](double l, double c) { return 1 / (kTwoPi * std::sqrt(l * c)); };
    for (std::uint64_t index = 0; index < 5; ++index) {
        const BuiltCircuit sample = perturbedCircuit(base, spread, 11, index);
        for (std::size_t i = 0; i < base.parts.size(); ++i) {
            const BuiltPart& from = base.parts[i];
            const BuiltPart& to = sample.parts[i];
            if (from.kind != BuiltPartKind::Crystal) {
                continue;
            }
            const CrystalModel& q0 = from.crystal;
            const CrystalModel& q1 = to.crystal;
            const MotionalArm& s0 = from.spurious.at(0);
            const MotionalArm& s1 = to.spurious.at(0);
            const double d = resonance(q1.motionalInductance, q1.motionalCapacitance) -
                             resonance(q0.motionalInductance, q0.motionalCapacitance);
            ASSERT_GT(std::abs(d), 1);
            EXPECT_NEAR(
                resonance(s1.inductance, s1.capacitance) - resonance(s0.inductance, s0.capacitance),
                d, 1e-6);
            EXPECT_NEAR(s1.inductance / s0.inductance,
                        q1.motionalInductance / q0.motionalInductance, 1e-15);
            EXPECT_NEAR(s1.resistance / s0.resistance,
                        q1.motionalResistance / q0.motionalResistance, 1e-15);
        }
    }
}

// A cancelled run returns nothing, so that the caller keeps what it had.
TEST(MonteCarlo, CancelledRunReturnsNothing) {
    CalculatedRun design(2, 1);
    MonteCarloSettings settings;
    settings.samples = 100;
    settings.threads = 2;
    std::atomic<bool> cancel{false};
    double last = 0;
    const auto result = RunMonteCarlo(
        *design.calculated(), design.calculated()->circuit, settings,
        [&](double done) {
            last = done;
            if (done >= 0.25) {
                cancel = true;
            }
        },
        cancel);
    EXPECT_FALSE(result);
    EXPECT_LT(last, 1);
}

}  // namespace
}  // namespace trellon
