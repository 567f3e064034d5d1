#include "BuiltFilter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

#include "BuiltFilterReport.h"
#include "BuiltFilterSolver.h"
#include "CalculatedRun.h"
#include "GridSolve.h"
#include "MeasuredCrystalModel.h"
#include "Ngspice.h"
#include "SpiceExport.h"
#include "TopologyDescription.h"

namespace trellon {
namespace {

std::vector<MeasuredCrystal> nominalCrystals(const DesignState& state) {
    return std::vector<MeasuredCrystal>(
        static_cast<std::size_t>(topologyDescription(state.Topology).crystals),
        nominalMeasuredCrystal(state));
}

// A crystal typed with the design's own values must be the design's crystal to the last bit,
// or every comparison of built and ideal filters starts from a false difference.
TEST(BuiltFilter, NominalCrystalsGiveTheNominalCircuitAsBuiltBitForBit) {
    for (int topology = 1; topology <= kTopologyCount; ++topology) {
        CalculatedRun design(topology, 6);
        const DesignState& s = design.state();
        const std::shared_ptr<const CalculatedDesign> calculated = design.calculated();
        const CalculatedDesign& d = *calculated;
        const CrystalModel typed = crystalModelOf(nominalMeasuredCrystal(s));
        const CrystalModel nominal = nominalCrystal(s);
        EXPECT_EQ(typed.motionalInductance, nominal.motionalInductance);
        EXPECT_EQ(typed.motionalCapacitance, nominal.motionalCapacitance);
        EXPECT_EQ(typed.motionalResistance, nominal.motionalResistance);
        EXPECT_EQ(typed.holderCapacitance, nominal.holderCapacitance);

        const std::vector<double> grid = builtCurveFrequencies(d.band);
        ASSERT_EQ(grid.size(), static_cast<std::size_t>(2 * (s.BandHigh - s.BandLow) + 1));
        const BuiltFilterResult built =
            solveBuiltFilter(d, makeBuiltFilter(d, nominalCrystals(s)), grid, 2);
        BuiltFilterSolver reference;
        reference.prepare(makeBuiltCircuit(s));
        const std::vector<GridPoint> points = SolveGrid(reference.solver(), grid, 1);
        for (std::size_t i = 0; i < grid.size(); ++i) {
            ASSERT_TRUE(points[i].solved);
            ASSERT_EQ(built.levelsDb[i], points[i].levelDb) << "topology " << topology;
        }
    }
}

// A curve whose figures are known exactly: straight lines between eleven points.
TEST(BuiltFilter, FiguresOfAKnownCurve) {
    const std::vector<double> f{0, 100, 200, 300, 400, 500, 600, 700, 800, 900, 1000};
    const std::vector<double> a{40, 20, 3.0, 2.4, 3.2, 2.0, 3.1, 2.6, 3.3, 25, 45};
    std::vector<double> level;
    for (double attenuation : a) {
        level.push_back(attenuationOf(0) - attenuation);
    }
    const CurveFigures figures = measureCurve(f, level, -10);
    EXPECT_NEAR(figures.amin, 2.0, 1e-12);
    EXPECT_EQ(figures.fAmin, 500);
    // Attenuation 12 dB crosses 20..3.0 and 3.3..25.
    EXPECT_NEAR(figures.bandLow, 100 + 100 * 8.0 / 17.0, 1e-9);
    EXPECT_NEAR(figures.bandHigh, 800 + 100 * 8.7 / 21.7, 1e-9);
    EXPECT_NEAR(figures.bandwidth, figures.bandHigh - figures.bandLow, 1e-9);
    EXPECT_TRUE(figures.bandClosed);
    // Minima at 300, 500 and 700: 3.2 - 2.0 between them; 3.3 at 800 lies outside.
    EXPECT_NEAR(figures.ripple, 1.2, 1e-12);

    const std::vector<double> single{level[0], level[1], level[5], level[9], level[10]};
    const std::vector<double> fSingle{0, 100, 500, 900, 1000};
    EXPECT_EQ(measureCurve(fSingle, single, -10).ripple, 0);
    // A level deeper than the curve leaves the band open at the curve's ends.
    const CurveFigures open = measureCurve(f, level, -60);
    EXPECT_FALSE(open.bandClosed);
    EXPECT_EQ(open.bandwidth, 1000);
}

// The sweep traces the model's curve by its own walks: with nominal crystals the built
// filter's figures must agree with the usual report's within the model-to-schematic difference
// (0.01 dB) and the sweep's steps (10 Hz near the peak, 1 Hz at the edges).
TEST(BuiltFilter, NominalFiguresAgreeWithTheSweep) {
    for (const auto& [topology, response] : {std::pair{7, 8}, std::pair{2, 1}}) {
        CalculatedRun design(topology, response);
        const DesignState& s = design.state();
        const std::shared_ptr<const CalculatedDesign> calculated = design.calculated();
        const CalculatedDesign& d = *calculated;
        const BuiltFilterResult built = solveBuiltFilter(d, makeBuiltFilter(d, nominalCrystals(s)),
                                                         builtCurveFrequencies(d.band));
        EXPECT_NEAR(built.attenuationAtFo, s.AttenuationAtFo, 0.01);
        EXPECT_NEAR(built.figures.amin, s.Amin, 0.02);
        EXPECT_NEAR(built.figures.bandLow, s.BandLow, 2);
        EXPECT_NEAR(built.figures.bandHigh, s.BandHigh, 2);
        EXPECT_TRUE(built.figures.bandClosed);

        // The block goes after the usual report, in lines no wider than the usual report's.
        const std::vector<std::string> usualResults = design.results.lines;
        const std::size_t usualLog = design.log.lines.size();
        const int logLastLine = s.LogLastLine;
        const std::vector<std::string> names(8, "X");
        appendReportBlock(design.state(), design.results, design.log,
                          builtFilterReportLines(d, built,
                                                 std::span(names).first(static_cast<std::size_t>(
                                                     topologyDescription(topology).crystals)),
                                                 '.'));
        ASSERT_GT(design.results.lines.size(), usualResults.size());
        EXPECT_TRUE(
            std::equal(usualResults.begin(), usualResults.end(), design.results.lines.begin()));
        std::size_t widest = 0;
        for (const std::string& line : usualResults) {
            widest = std::max(widest, line.size());
        }
        for (std::size_t i = usualResults.size(); i < design.results.lines.size(); ++i) {
            EXPECT_LE(design.results.lines[i].size(), widest) << design.results.lines[i];
        }
        EXPECT_EQ(s.LogLastLine - logLastLine,
                  static_cast<int>(design.log.lines.size() - usualLog));
    }
}

// The points of the built filter at the ideal traced curve's frequencies, in the curve's level
// modes, lie on the ideal curve: same abscissae, levels within the model-to-schematic difference
// and the sweep's 10 Hz peak scan.
TEST(BuiltFilter, BuiltPointsLieOnTheIdealTracedCurve) {
    CalculatedRun design(7, 8);
    const DesignState& s = design.state();
    const std::shared_ptr<const CalculatedDesign> calculated = design.calculated();
    const CalculatedDesign& d = *calculated;
    const Engine& engine = *design.run.engine;
    const std::vector<double> frequencies = idealTraceFrequencies(d.band);
    ASSERT_EQ(frequencies.size(), static_cast<std::size_t>(engine.curve.size()));
    const BuiltFilterResult built =
        solveBuiltFilter(d, makeBuiltFilter(d, nominalCrystals(s)), frequencies);
    for (std::size_t i = 0; i < frequencies.size(); ++i) {
        ASSERT_EQ((frequencies[i] - s.Fo * 1000) / 1000, engine.curve.x()[i]);
        ASSERT_NEAR(displayedLevel(built.levelsDb[i], built.figures, false), engine.curve.y()[i],
                    0.02);
        ASSERT_NEAR(displayedLevel(built.levelsDb[i], built.figures, true),
                    engine.curve.y()[i] - s.Amin, 0.02);
    }
}

// ngspice solves the exported built filter, each position with a crystal of its own.
TEST(BuiltFilter, NgspiceAgreesWithTheBuiltCurveForEveryTopology) {
    for (int topology = 1; topology <= kTopologyCount; ++topology) {
        CalculatedRun design(topology, 8);
        const DesignState& s = design.state();
        const std::shared_ptr<const CalculatedDesign> calculated = design.calculated();
        const CalculatedDesign& d = *calculated;
        std::vector<MeasuredCrystal> crystals = nominalCrystals(s);
        for (std::size_t i = 0; i < crystals.size(); ++i) {
            const double k = static_cast<double>(i);
            crystals[i].fsKhz += 0.037 * k - 0.1;
            crystals[i].lmMh *= 1 + 0.02 * k;
            crystals[i].rmOhm += 3 * k;
            crystals[i].c0Pf += 0.1 * k;
        }
        const BuiltCircuit circuit = makeBuiltFilter(d, crystals);
        BuiltFilterSolver exported;
        exported.prepare(circuit);
        const std::vector<double> grid = builtCurveFrequencies(d.band);
        std::ostringstream deck;
        writeSpiceDeck(exported.netlist(), SpiceDeckCircuit::AsBuilt,
                       SpiceSweep{grid.front(), grid.back(), 10}, deck);

        const std::vector<SpicePoint> table =
            printedTable(runNgspice(deck.str(), "built" + std::to_string(topology)));
        ASSERT_EQ(table.size(), 10u);
        std::vector<double> frequencies;
        for (const SpicePoint& point : table) {
            frequencies.push_back(point.frequency);
        }
        const BuiltFilterResult built = solveBuiltFilter(d, circuit, frequencies);
        for (std::size_t i = 0; i < table.size(); ++i) {
            EXPECT_NEAR(built.levelsDb[i], table[i].levelDb, 1e-6)
                << "topology " << topology << " at " << table[i].frequency << " Hz";
        }
    }
}

// Spurious arms set the far stopband: over a wide span ngspice solves the exported built filter
// with them, and they lift its stopband by tens of dB where a crystal without them would not.
// No sweep point falls on a spur's own resonance: there the node between its L and C has no
// admittance of its own and ngspice's elimination loses digits.
TEST(BuiltFilter, SpuriousArmsReachTheExportedDeckAndTheFarStopband) {
    CalculatedRun design(2, 8);
    const std::shared_ptr<const CalculatedDesign> calculated = design.calculated();
    const CalculatedDesign& d = *calculated;
    const std::vector<MeasuredCrystal> plain = nominalCrystals(design.state());
    std::vector<MeasuredCrystal> spurred = plain;
    for (std::size_t i = 0; i < spurred.size(); ++i) {
        const double k = static_cast<double>(i);
        spurred[i].spurious = {
            {.offsetKhz = 9.03 + k, .lmMh = 3 * plain[i].lmMh, .rmOhm = 40},
            {.offsetKhz = 21.04 + 0.5 * k, .lmMh = 8 * plain[i].lmMh, .rmOhm = 90}};
    }
    spurred[0].spurious.push_back({.offsetKhz = 28.05, .lmMh = 5 * plain[0].lmMh, .rmOhm = 60});
    const double fo = d.foHz();
    const SpiceSweep wide{fo - 30e3, fo + 30e3, 601};

    BuiltFilterSolver exported;
    exported.prepare(makeBuiltFilter(d, spurred));
    std::ostringstream deck;
    writeSpiceDeck(exported.netlist(), SpiceDeckCircuit::AsBuilt, wide, deck);
    const std::vector<SpicePoint> table = printedTable(runNgspice(deck.str(), "spurred"));
    ASSERT_EQ(table.size(), 601u);
    std::vector<double> frequencies;
    for (const SpicePoint& point : table) {
        frequencies.push_back(point.frequency);
    }
    std::vector<double> levels(frequencies.size());
    exported.solveLevels(frequencies, levels);
    BuiltFilterSolver without;
    without.prepare(makeBuiltFilter(d, plain));
    std::vector<double> plainLevels(frequencies.size());
    without.solveLevels(frequencies, plainLevels);
    double lift = 0;
    for (std::size_t i = 0; i < table.size(); ++i) {
        ASSERT_NEAR(levels[i], table[i].levelDb, 1e-6) << "at " << table[i].frequency << " Hz";
        lift = std::max(lift, levels[i] - plainLevels[i]);
    }
    EXPECT_GT(lift, 20);

    // Sixteen crystals with three modes each outgrow the netlist: refused, never solved in part.
    CalculatedRun eight(7, 8);
    std::vector<MeasuredCrystal> crowded = nominalCrystals(eight.state());
    for (MeasuredCrystal& crystal : crowded) {
        crystal.spurious = spurred[0].spurious;
    }
    BuiltCircuit twice = makeBuiltFilter(*eight.calculated(), crowded);
    const std::vector<BuiltPart> once = twice.parts;
    twice.parts.insert(twice.parts.end(), once.begin(), once.end());
    numberLadderNodes(twice);
    try {
        requireSimulable(twice);
        ADD_FAILURE() << "a crowded filter was accepted";
    } catch (const CommandError& error) {
        EXPECT_NE(std::string(error.what()).find("fewer spurious modes"), std::string::npos);
    }
}

}  // namespace
}  // namespace trellon
