#include "BenchCircuit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

#include "BenchReport.h"
#include "BuiltFilter.h"
#include "BuiltFilterSolver.h"
#include "CalculatedRun.h"
#include "CommandError.h"
#include "CrystalChooser.h"
#include "MeasuredCrystalModel.h"
#include "Ngspice.h"
#include "SpiceExport.h"
#include "TopologyDescription.h"

namespace trellon {
namespace {

constexpr int kPlainEight = 4;
constexpr int kCwEight = 7;

// Crystals of one batch, each a little off the nominal one.
std::vector<MeasuredCrystal> spreadCrystals(const DesignState& s) {
    std::vector<MeasuredCrystal> crystals(
        static_cast<std::size_t>(topologyDescription(s.Topology).crystals),
        nominalMeasuredCrystal(s));
    for (std::size_t i = 0; i < crystals.size(); ++i) {
        const double k = static_cast<double>(i);
        crystals[i].fsKhz += 0.021 * k - 0.07;
        crystals[i].rmOhm += 2 * k;
    }
    return crystals;
}

void expectSameCircuit(const BuiltCircuit& a, const BuiltCircuit& b) {
    EXPECT_EQ(a.sourceResistance, b.sourceResistance);
    EXPECT_EQ(a.loadResistance, b.loadResistance);
    ASSERT_EQ(a.parts.size(), b.parts.size());
    for (std::size_t i = 0; i < a.parts.size(); ++i) {
        EXPECT_EQ(a.parts[i].name, b.parts[i].name);
        EXPECT_EQ(a.parts[i].value, b.parts[i].value) << a.parts[i].name;
        EXPECT_EQ(a.parts[i].node, b.parts[i].node) << a.parts[i].name;
        EXPECT_EQ(a.parts[i].crystal.motionalInductance, b.parts[i].crystal.motionalInductance);
        EXPECT_EQ(a.parts[i].crystal.motionalCapacitance, b.parts[i].crystal.motionalCapacitance);
    }
}

// With nothing to do at the bench, the bench circuit is the circuit as built to the last bit,
// so that its curve and figures are the built filter's.
TEST(BenchCircuit, IdentityIsTheCircuitAsBuiltBitForBit) {
    for (int topology = 1; topology <= kTopologyCount; ++topology) {
        CalculatedRun design(topology, 6);
        const DesignState& s = design.state();
        const std::shared_ptr<const CalculatedDesign> calculated = design.calculated();
        const CalculatedDesign& d = *calculated;
        for (const BuiltCircuit& asBuilt :
             {makeBuiltCircuit(s), makeBuiltFilter(d, spreadCrystals(s))}) {
            const BenchCircuit bench = makeBenchCircuit(d.band, asBuilt, BenchSettings{});
            expectSameCircuit(bench.circuit, asBuilt);
            EXPECT_TRUE(bench.keptAtDesignNames().empty());
        }
    }
}

// The stray is left off the first shunt capacitor at each node before rounding and the board
// adds it back; series capacitors are rounded as they are; a capacitor the stray swallows is
// named and kept at its design value, the board's stray still beside it.
TEST(BenchCircuit, StrayComesOffEachShuntNodeBeforeRounding) {
    CalculatedRun design(kCwEight, 8);
    const DesignState& s = design.state();
    const std::shared_ptr<const CalculatedDesign> calculated = design.calculated();
    const CalculatedDesign& d = *calculated;
    const BuiltCircuit asBuilt = makeBuiltCircuit(s);
    BenchSettings settings;
    settings.eSeries = 12;
    settings.strayPf = 2.5;
    const BenchCircuit bench = makeBenchCircuit(d.band, asBuilt, settings);
    std::size_t c = 0;
    int series = 0;
    for (std::size_t i = 0; i < asBuilt.parts.size(); ++i) {
        const BuiltPart& part = asBuilt.parts[i];
        if (part.kind == BuiltPartKind::Crystal) {
            continue;
        }
        const BenchCapacitor& fitted = bench.capacitors[c++];
        const bool shunt = part.kind == BuiltPartKind::ShuntCapacitor;
        series += shunt ? 0 : 1;
        const double stray = shunt ? 2.5 : 0;  // this layout has one shunt capacitor per node
        const double standard = nearestStandardValue(part.value * 1e12 - stray, 12);
        EXPECT_EQ(fitted.name, part.name);
        EXPECT_EQ(fitted.strayPf, stray);
        EXPECT_DOUBLE_EQ(fitted.fittedPf, standard);
        EXPECT_DOUBLE_EQ(bench.circuit.parts[i].value, (standard + stray) * 1e-12);
    }
    EXPECT_GT(series, 0);
    EXPECT_EQ(c, bench.capacitors.size());

    settings.strayPf = 1e4;
    const BenchCircuit swallowed = makeBenchCircuit(d.band, asBuilt, settings);
    const std::vector<std::string> kept = swallowed.keptAtDesignNames();
    EXPECT_EQ(kept.size(), bench.capacitors.size() - static_cast<std::size_t>(series));
    for (std::size_t i = 0; i < asBuilt.parts.size(); ++i) {
        if (asBuilt.parts[i].kind == BuiltPartKind::ShuntCapacitor) {
            EXPECT_DOUBLE_EQ(swallowed.circuit.parts[i].value,
                             asBuilt.parts[i].value + 1e4 * 1e-12);
        }
    }
    // A setting out of range is a refusal the user reads, word for word.
    settings.eSeries = 7;
    try {
        makeBenchCircuit(d.band, asBuilt, settings);
        ADD_FAILURE() << "the series E7 was taken";
    } catch (const CommandError& refused) {
        EXPECT_STREQ(refused.what(), "the series is E6, E12, E24, E48 or E96");
    }
}

// Lossless networks matched at the band centre of a band a few kilohertz wide change the
// response by next to nothing: a network on the wrong side or of the wrong values would not.
TEST(BenchCircuit, MatchAloneKeepsTheResponse) {
    CalculatedRun design(kCwEight, 8);
    const DesignState& s = design.state();
    const std::shared_ptr<const CalculatedDesign> calculated = design.calculated();
    const CalculatedDesign& d = *calculated;
    const std::vector<double> grid = builtCurveFrequencies(d.band);
    for (MatchKind match :
         {MatchKind::SeriesLShuntC, MatchKind::SeriesCShuntL, MatchKind::Transformer}) {
        for (double system : {50.0, 5000.0}) {
            const BenchCircuit bench = makeBenchCircuit(d.band, makeBuiltCircuit(s),
                                                        BenchSettings{0, {}, 0, match, system});
            const BenchResult result = solveBench(d, bench, grid, 2);
            EXPECT_NEAR(result.built.figures.amin, result.ideal.amin, 0.01) << system;
            EXPECT_NEAR(result.built.figures.bandwidth, result.ideal.bandwidth, 2) << system;
        }
    }
}

// ngspice solves the exported bench circuit: real crystals, rounded values with pairs, the
// stray and an L-network of each kind at the two ends.
TEST(BenchCircuit, NgspiceAgreesWithTheBenchCurve) {
    for (const auto& [topology, match] : {std::pair{kCwEight, MatchKind::SeriesLShuntC},
                                          std::pair{kPlainEight, MatchKind::SeriesCShuntL}}) {
        CalculatedRun design(topology, 8);
        DesignState& s = design.state();
        const std::shared_ptr<const CalculatedDesign> calculated = design.calculated();
        const CalculatedDesign& d = *calculated;
        BenchSettings settings{24, 1.0, 3.0, match, 50};
        const BenchCircuit bench =
            makeBenchCircuit(d.band, makeBuiltFilter(d, spreadCrystals(s)), settings);
        ASSERT_EQ(bench.circuit.sourceResistance, 50);
        BuiltFilterSolver exported;
        exported.prepare(bench.circuit);
        const std::vector<double> grid = builtCurveFrequencies(d.band);
        std::ostringstream deck;
        writeSpiceDeck(exported.netlist(), SpiceDeckCircuit::AsBuilt,
                       SpiceSweep{grid.front(), grid.back(), 10}, deck);
        const std::vector<SpicePoint> table =
            printedTable(runNgspice(deck.str(), "bench" + std::to_string(topology)));
        ASSERT_EQ(table.size(), 10u);
        std::vector<double> frequencies;
        for (const SpicePoint& point : table) {
            frequencies.push_back(point.frequency);
        }
        const BenchResult result = solveBench(d, bench, frequencies);
        for (std::size_t i = 0; i < table.size(); ++i) {
            EXPECT_NEAR(result.built.levelsDb[i], table[i].levelDb, 1e-6)
                << "topology " << topology << " at " << table[i].frequency << " Hz";
        }

        // The block goes after the usual report, its panel lines no wider than the report's.
        const std::vector<std::string> usual = design.results.lines;
        const std::size_t usualLog = design.log.lines.size();
        const int logLastLine = s.LogLastLine;
        appendReportBlock(s, design.results, design.log,
                          benchReportLines(d, settings, bench, solveBench(d, bench, grid), '.'));
        ASSERT_GT(design.results.lines.size(), usual.size());
        EXPECT_TRUE(std::equal(usual.begin(), usual.end(), design.results.lines.begin()));
        std::size_t widest = 0;
        for (const std::string& line : usual) {
            widest = std::max(widest, line.size());
        }
        for (std::size_t i = usual.size(); i < design.results.lines.size(); ++i) {
            EXPECT_LE(design.results.lines[i].size(), widest) << design.results.lines[i];
        }
        EXPECT_EQ(s.LogLastLine - logLastLine,
                  static_cast<int>(design.log.lines.size() - usualLog));
    }
}

// A kept design gives its own bench after the engine has calculated another filter, and the
// analyses give the same numbers from the design without the classic ladder's own model.
TEST(BenchCircuit, KeptDesignStaysItsOwnAndNeedsNoClassicModel) {
    CalculatedRun design(kCwEight, 8);
    const std::shared_ptr<const CalculatedDesign> kept = design.calculated();
    const std::vector<MeasuredCrystal> crystals = spreadCrystals(design.state());
    const BenchSettings settings{24, 1.0, 3.0, MatchKind::SeriesLShuntC, 50};
    const auto benchLines = [&](const CalculatedDesign& d) {
        const BenchCircuit bench = makeBenchCircuit(d.band, makeBuiltFilter(d, crystals), settings);
        return benchReportLines(d, settings, bench,
                                solveBench(d, bench, builtCurveFrequencies(d.band), 1), '.')
            .log;
    };
    const std::vector<std::string> before = benchLines(*kept);

    CalculatedDesign core = *kept;
    core.classic.reset();
    EXPECT_EQ(benchLines(core), before);
    std::atomic<bool> cancel{false};
    const CrystalBatch batch{crystals};
    EXPECT_EQ(ChooseCrystals(core, batch, {}, nullptr, cancel)->measure,
              ChooseCrystals(*kept, batch, {}, nullptr, cancel)->measure);

    ASSERT_TRUE(design.run.synthesize(kPlainEight, 2));
    EXPECT_EQ(benchLines(*kept), before);
}

}  // namespace
}  // namespace trellon
