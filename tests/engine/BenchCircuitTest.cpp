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
#include "PortReturnLoss.h"
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

// A 50-ohm L-network match with E12 rounding: the match's shunt capacitor and the filter's end
// capacitor stand at one node and are one part, fitted once with the stray; the return loss at
// the system port agrees with ngspice's on the exported deck within 0.001 dB, at the centre and
// where it is worst, and no point of the pass band in ngspice's sweep lies 0.01 dB below that
// worst.
TEST(BenchCircuit, MatchedEndIsOnePartAndItsReturnLossAgreesWithNgspice) {
    CalculatedRun design(kCwEight, 8);
    const std::shared_ptr<const CalculatedDesign> calculated = design.calculated();
    const CalculatedDesign& d = *calculated;
    const BenchSettings settings{12, {}, 3.0, MatchKind::SeriesLShuntC, 50};
    const BuiltCircuit asBuilt = makeBuiltFilter(d, spreadCrystals(design.state()));
    const BenchCircuit bench = makeBenchCircuit(d.band, asBuilt, settings);
    ASSERT_FALSE(bench.network.seriesOnFilterSide);  // the shunt capacitor stands at C1's node

    const BenchCapacitor& input = bench.capacitors.front();
    const double c1 = asBuilt.parts.front().value * 1e12;
    const double cin = bench.network.shuntValue * 1e12;
    EXPECT_EQ(input.name, "Cin+C1");
    ASSERT_EQ(input.merged.size(), 2u);
    EXPECT_EQ(input.merged[0].name, "Cin");
    EXPECT_EQ(input.merged[1].name, "C1");
    EXPECT_DOUBLE_EQ(input.designPf, cin + c1);
    EXPECT_EQ(input.strayPf, 3.0);
    EXPECT_EQ(input.fittedPf, nearestStandardValue(cin + c1 - 3.0, 12));
    EXPECT_EQ(bench.capacitors.back().name, "C15+Cout");
    // One capacitor at each end node, holding the fitted part and the stray once.
    for (const char* name : {"Cin+C1", "C15+Cout"}) {
        const auto part = std::find_if(bench.circuit.parts.begin(), bench.circuit.parts.end(),
                                       [&](const BuiltPart& p) { return p.name == name; });
        ASSERT_NE(part, bench.circuit.parts.end());
        EXPECT_EQ(std::count_if(bench.circuit.parts.begin(), bench.circuit.parts.end(),
                                [&](const BuiltPart& p) {
                                    return p.kind == BuiltPartKind::ShuntCapacitor &&
                                           p.node == part->node;
                                }),
                  1);
        EXPECT_DOUBLE_EQ(part->value, (input.fittedPf + 3.0) * 1e-12);
    }

    const std::optional<PortReturnLoss> port =
        solveBench(d, bench, builtCurveFrequencies(d.band)).port;
    ASSERT_TRUE(port);
    EXPECT_EQ(port->centreHz, d.band.centreHz());
    EXPECT_TRUE(port->passLowHz > d.band.lowHz() && port->passHighHz < d.band.highHz());
    BuiltFilterSolver exported;
    exported.prepare(bench.circuit);
    std::ostringstream deck;
    const auto around = [](double hz) {
        return SpiceSweep{spiceFrequency(hz - 1), spiceFrequency(hz + 1), 3};
    };
    constexpr int kBandPoints = 201;
    writeSpiceDeck(exported.netlist(), SpiceDeckCircuit::AsBuilt,
                   {around(port->centreHz), around(port->worstHz),
                    SpiceSweep{spiceFrequency(port->passLowHz), spiceFrequency(port->passHighHz),
                               kBandPoints}},
                   deck);
    const std::vector<SpicePoint> table =
        printedTable(runNgspice(withPrints(deck.str(),
                                           "let zin = v(n2) / (-v1#branch)\n"
                                           "print db((zin - 50) / (zin + 50))\n"),
                                "matched"));
    ASSERT_EQ(table.size(), 6u + kBandPoints);
    EXPECT_NEAR(port->centreDb, -table[1].levelDb, 1e-3);
    EXPECT_NEAR(port->worstDb, -table[4].levelDb, 1e-3);
    for (std::size_t i = 6; i < table.size(); ++i) {
        EXPECT_GE(-table[i].levelDb, port->worstDb - 0.01) << table[i].frequency;
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
