#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "AnyOrderDesign.h"
#include "CalculatedRun.h"
#include "CrystalFormulas.h"
#include "CurveRecord.h"
#include "LoadVoltageSlope.h"
#include "Ngspice.h"
#include "PhaseResponse.h"
#include "ResponseTable.h"
#include "SpiceExport.h"
#include "TerminalResponse.h"
#include "WideSpan.h"

namespace trellon {
namespace {

CurveRecord recordOf(CalculatedRun& design) {
    return recordTracedCurve(*design.run.engine, "curve", makeBuiltCircuit(design.state()));
}

// ngspice's table values, read as consecutive blocks of `count` rows, one block per print.
std::vector<std::vector<double>> printedBlocks(const std::string& output, std::size_t count,
                                               std::size_t blocks) {
    const std::vector<SpicePoint> table = printedTable(output);
    EXPECT_EQ(table.size(), count * blocks) << output;
    std::vector<std::vector<double>> values(blocks);
    for (std::size_t i = 0; i < table.size() && i < count * blocks; ++i) {
        values[i / count].push_back(table[i].levelDb);
    }
    return values;
}

// The sweep keeps each drawn point's load voltage, bit for bit the same whether it walks a batch
// ahead or one step at a time, and the level drawn is the level of that voltage in either mode.
TEST(TracedCurve, KeepsTheLoadVoltageOfEveryDrawnPoint) {
    for (const bool absolute : {false, true}) {
        CalculatedRun batched(7, 6, absolute, SweepEvaluation::Batched);
        CalculatedRun single(7, 6, absolute, SweepEvaluation::OneAtATime);
        const CurveRecord a = recordOf(batched);
        const CurveRecord b = recordOf(single);
        ASSERT_GT(a.frequencyHz.size(), 1000u);
        ASSERT_EQ(a.frequencyHz, b.frequencyHz);
        EXPECT_EQ(a.levelDb, batched.chart.curves[0].y);
        EXPECT_EQ(a.detuningKhz, batched.chart.curves[0].x);
        EXPECT_EQ(a.levelMode, absolute ? LevelMode::Absolute : LevelMode::RelativeToPeak);
        for (std::size_t i = 0; i < a.frequencyHz.size(); ++i) {
            ASSERT_EQ(a.loadVoltage[i].re, b.loadVoltage[i].re);
            ASSERT_EQ(a.loadVoltage[i].im, b.loadVoltage[i].im);
            ASSERT_EQ(a.detuningKhz[i], (a.frequencyHz[i] - a.foHz) / 1000);
            // The relative mode's peak is kept as Amin: its offset is exact to rounding only.
            ASSERT_NEAR(a.drawnLevel(a.loadVoltage[i]), a.levelDb[i], 1e-9) << i;
        }
    }
}

class ResponseAgainstNgspice : public ::testing::TestWithParam<int> {};

// Phase and three-point group delay of the circuit model at every traced point, and the
// impedance and return loss at the builder's input terminal, each from ngspice's AC analysis of
// the exported deck. ngspice's three-point delay of its own unwrapped phase agrees with ours far
// closer than either is to the true derivative. The exact delay is held against the three-point
// delays over one and two spacings extrapolated to zero spacing, (4 d1 - d2) / 3, whose error
// (of the fourth power of the spacing) stays below 4e-5 of the peak delay at 1 Hz.
TEST_P(ResponseAgainstNgspice, PhaseGroupDelayAndInputTerminal) {
    CalculatedRun design(GetParam(), 6);
    const CurveRecord curve = recordOf(design);
    const std::vector<double>& f = curve.frequencyHz;
    const std::size_t n = f.size();
    ASSERT_GT(n, 100u);

    std::ostringstream modelDeck;
    writeSpiceDeck(
        curve.model, SpiceDeckCircuit::CalculationModel,
        SpiceSweep{spiceFrequency(f.front()), spiceFrequency(f.back()), static_cast<int>(n)},
        modelDeck);
    std::string prints = modelDeck.str();
    const std::size_t vdb = prints.find("print vdb(");
    ASSERT_NE(vdb, std::string::npos);
    const std::string voltage = prints.substr(vdb + 10, prints.find(')', vdb) - vdb - 10);
    const std::string output = runNgspice(
        withPrints(modelDeck.str(), "print vp(" + voltage + ")\n"), "phase" + curve.caption);
    std::vector<double> phase = printedBlocks(output, n, 1)[0];
    ASSERT_EQ(phase.size(), n);

    const std::vector<double> delay = groupDelayUs(f, curve.loadVoltage);
    const std::vector<double> coarse = groupDelayUs(f, curve.loadVoltage, 2);
    const std::vector<double> exact = circuitGroupDelayUs(curve.model, f);
    const double peakDelay = *std::max_element(delay.begin(), delay.end());
    EXPECT_GT(peakDelay, 0);
    double worstError = 0;
    for (std::size_t i = 0; i < n; ++i) {
        double degrees = phase[i] * 180 / std::numbers::pi;
        const double ours = phaseDegrees(curve.loadVoltage[i]);
        ASSERT_TRUE(ours > -180 && ours <= 180);
        ASSERT_NEAR(std::remainder(ours - degrees, 360), 0, 1e-7) << "at " << f[i] << " Hz";
        if (i > 0) {
            phase[i] = phase[i - 1] + std::remainder(phase[i] - phase[i - 1], 2 * std::numbers::pi);
        }
        worstError = std::max(worstError, std::fabs(exact[i] - (4 * delay[i] - coarse[i]) / 3));
    }
    EXPECT_LT(worstError, 1e-4 * peakDelay);
    // 500 Hz apart the phase turns by more than a quarter turn at the delay's peak: no number.
    const auto peak = std::max_element(delay.begin(), delay.end()) - delay.begin();
    EXPECT_TRUE(std::isnan(groupDelayUs(f, curve.loadVoltage, 500)[peak]));
    for (std::size_t i = 1; i + 1 < n; ++i) {
        const double spice =
            -(phase[i + 1] - phase[i - 1]) / (kTwoPi * (f[i + 1] - f[i - 1])) * 1e6;
        ASSERT_NEAR(delay[i], spice, 1e-6 * peakDelay) << "at " << f[i] << " Hz";
    }

    // The builder's terminals: the as-built deck at 21 points over the band.
    const std::vector<double> band = [&] {
        std::vector<double> points;
        for (int i = 0; i <= 20; ++i) {
            points.push_back(f.front() + (f.back() - f.front()) * i / 20);
        }
        return points;
    }();
    const std::vector<TerminalPoint> terminal = inputTerminal(curve.built, band);
    Netlist built;
    buildNetlist(curve.built, built);
    std::ostringstream builtDeck;
    writeSpiceDeck(built, SpiceDeckCircuit::AsBuilt,
                   SpiceSweep{spiceFrequency(band.front()), spiceFrequency(band.back()), 21},
                   builtDeck);
    const std::vector<std::vector<double>> z =
        printedBlocks(runNgspice(withPrints(builtDeck.str(),
                                            "let zin = v(n2) / (-v1#branch)\n"
                                            "print real(zin)\nprint imag(zin)\n"),
                                 "terminal" + curve.caption),
                      21, 2);
    const double r = curve.built.sourceResistance;
    for (std::size_t i = 0; i < 21 && z[1].size() == 21; ++i) {
        const Complex spice{z[0][i], z[1][i]};
        ASSERT_TRUE(terminal[i].solved);
        const double magnitude = std::hypot(spice.re, spice.im);
        EXPECT_NEAR(terminal[i].inputImpedance.re, spice.re, 1e-9 * magnitude) << band[i];
        EXPECT_NEAR(terminal[i].inputImpedance.im, spice.im, 1e-9 * magnitude) << band[i];
        const Complex gamma = (spice - Complex{r, 0}) / (spice + Complex{r, 0});
        EXPECT_NEAR(terminal[i].returnLossDb, -10 * std::log10(squaredMagnitude(gamma)), 1e-6)
            << band[i];
    }
}

INSTANTIATE_TEST_SUITE_P(EveryTopology, ResponseAgainstNgspice,
                         ::testing::Range(1, kTopologyCount + 1),
                         [](const auto& info) { return "Topology" + std::to_string(info.param); });

// A series R, L, C between a source and a load resistance: u = Rload / (Rt + jX) with
// Rt = Rsource + R + Rload and X = wL - 1/(wC), so tau = Rt X' / (Rt^2 + X^2), X' = L + 1/(w^2 C).
TEST(ExactGroupDelay, MatchesTheClosedFormOfASeriesResonator) {
    const double rSource = 50, r = 12, rLoad = 200, l = 0.015, c = 1.6e-14;
    Netlist netlist;
    netlist.nodeCount = 5;
    netlist.sourceCount = 1;
    netlist.sources[1] = Source{5, 0, Complex{1, 0}};
    netlist.branchCount = 5;
    netlist.branches[1] = Branch{5, 1, 1 / rSource, 0, 0};
    netlist.branches[2] = Branch{1, 2, 0, 0, l};
    netlist.branches[3] = Branch{2, 3, 0, c, 0};
    netlist.branches[4] = Branch{3, 4, 1 / r, 0, 0};
    netlist.branches[5] = Branch{4, 0, 1 / rLoad, 0, 0};
    netlist.outputBranch = 5;
    const double rt = rSource + r + rLoad;
    const double f0 = 1 / (kTwoPi * std::sqrt(l * c));
    const double halfBandwidth = rt / (2 * kTwoPi * l);
    std::vector<double> f;
    for (int k = -12; k <= 12; ++k) {
        f.push_back(f0 + k * halfBandwidth / 3);
    }
    const std::vector<LoadVoltageSlope> solved = solveLoadVoltageSlopes(netlist, f, 2);
    const std::vector<double> delay = circuitGroupDelayUs(netlist, f, 2);
    for (std::size_t i = 0; i < f.size(); ++i) {
        const double w = kTwoPi * f[i];
        const double x = w * l - 1 / (w * c);
        const Complex u = Complex{rLoad, 0} / Complex{rt, x};
        ASSERT_TRUE(solved[i].solved);
        EXPECT_NEAR(solved[i].voltage.re, u.re, 1e-12);
        EXPECT_NEAR(solved[i].voltage.im, u.im, 1e-12);
        const double tau = rt * (l + 1 / (w * w * c)) / (rt * rt + x * x) * 1e6;
        EXPECT_NEAR(delay[i], tau, 1e-10 * tau) << "at " << f[i] << " Hz";
    }
}

// ngspice's group delay in microseconds at each of `rows`: the slope of its phase between
// f - h and f + h, h = 0.03 Hz: a central difference, with its own error of h^2 and of the last
// digits of the phase ngspice solved and printed.
std::vector<double> spicePhaseSlopeUs(
    const Netlist& model, const std::vector<ResponseRow>& rows, const std::string& name,
    SpiceDeckCircuit circuit = SpiceDeckCircuit::CalculationModel) {
    constexpr double h = 0.03;
    std::vector<SpiceSweep> sweeps;
    for (const ResponseRow& row : rows) {
        // Three points, f - h, f and f + h: ngspice runs "ac lin 2" at one frequency only.
        sweeps.push_back(
            {spiceFrequency(row.frequencyHz - h), spiceFrequency(row.frequencyHz + h), 3});
    }
    std::ostringstream deck;
    writeSpiceDeck(model, circuit, sweeps, deck);
    const std::string text = deck.str();
    const std::size_t vdb = text.find("print vdb(");
    const std::string node = text.substr(vdb + 10, text.find(')', vdb) - vdb - 10);
    const std::vector<std::vector<double>> phase = printedBlocks(
        runNgspice(withPrints(text, "print vp(" + node + ")\n"), name), 3, rows.size());
    std::vector<double> delay;
    for (const std::vector<double>& p : phase) {
        const double turn =
            p.size() == 3 ? std::remainder(p[2] - p[0], 2 * std::numbers::pi) : std::nan("");
        delay.push_back(-turn / (kTwoPi * 2 * h) * 1e6);
    }
    return delay;
}

// The largest |ours - ngspice's| over the rows, as a share of the peak delay or, where
// ngspice's delay is larger still (beside a notch), of that.
double worstShare(const std::vector<ResponseRow>& rows, const std::vector<double>& spice) {
    double peak = 0;
    for (const ResponseRow& row : rows) {
        EXPECT_TRUE(std::isfinite(row.groupDelayUs)) << row.frequencyHz;
        peak = std::max(peak, row.groupDelayUs);
    }
    double worst = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const double scale = std::max(peak, std::fabs(spice[i]));
        worst = std::max(worst, std::fabs(rows[i].groupDelayUs - spice[i]) / scale);
    }
    return worst;
}

// The group delay of the tables is the derivative of the solved circuit, not of neighbouring
// points: at 41 traced points of two 8-crystal designs and across the band of a ladder of 16,
// band ends included, it stays within ngspice's own error of its phase slope, 1e-7 of the peak
// delay; at every point of a span 300 Hz apart, where the delay swings to -20 ms beside a notch
// of the stopband, within 3e-7 of the larger of the peak delay and the delay there.
TEST(ExactGroupDelay, MatchesNgspicesPhaseSlopeOnAFineGrid) {
    for (const int response : {8, 6}) {
        CalculatedRun design(7, response);
        const CurveRecord curve = recordOf(design);
        const std::vector<ResponseRow> table = tracedResponseTable(curve);
        std::vector<ResponseRow> picked;
        for (std::size_t k = 0; k <= 40; ++k) {
            picked.push_back(table[k * (table.size() - 1) / 40]);
        }
        const double share = worstShare(
            picked, spicePhaseSlopeUs(curve.model, picked, "slope" + std::to_string(response)));
        EXPECT_LT(share, 1e-7) << "8-crystal response " << response;
    }
    {
        AnyOrderInputs inputs;
        inputs.order = 16;
        inputs.bandwidthHz = 2400;
        inputs.crystal = {8.86e6, 17.15e-3, 3.3e-12, 10};
        const AnyOrderDesign sixteen = designAnyOrder(inputs);
        Netlist netlist;
        buildNetlist(sixteen.circuit, netlist);
        std::vector<double> frequencies;
        for (int k = 0; k <= 40; ++k) {
            frequencies.push_back(sixteen.simulatedLowerHz +
                                  k * sixteen.simulatedBandwidthHz() / 40);
        }
        const std::vector<double> delays = circuitGroupDelayUs(netlist, frequencies);
        std::vector<ResponseRow> rows(frequencies.size());
        for (std::size_t k = 0; k < rows.size(); ++k) {
            rows[k].frequencyHz = frequencies[k];
            rows[k].groupDelayUs = delays[k];
        }
        EXPECT_LT(worstShare(
                      rows, spicePhaseSlopeUs(netlist, rows, "slope16", SpiceDeckCircuit::AsBuilt)),
                  1e-7)
            << "16 crystals";
    }
    CalculatedRun design(4, 1);
    const CurveRecord curve = recordOf(design);
    const std::vector<ResponseRow> span = spanResponseTable(curve, SpanSettings{30000, 201});
    const std::vector<double> spice = spicePhaseSlopeUs(curve.model, span, "slopeSpan");
    // The delay beside the notch is far beyond the pass band's.
    EXPECT_LT(*std::min_element(spice.begin(), spice.end()), -10 * span[100].groupDelayUs);
    EXPECT_LT(worstShare(span, spice), 3e-7);
}

// The wide span is centred between the band edges, ten pass bands either way by default, and
// draws its levels as the curve does: ngspice's level of the same grid plus the mode's offset.
TEST(WideSpan, CoversTenPassBandsEitherSideInTheCurvesLevelMode) {
    for (const bool absolute : {false, true}) {
        CalculatedRun design(4, 1, absolute);
        const CurveRecord curve = recordOf(design);
        const SpanResponse span = traceWideSpan(curve);
        ASSERT_EQ(span.frequencyHz.size(), 2001u);
        const double centre = (curve.bandLowHz + curve.bandHighHz) / 2;
        EXPECT_DOUBLE_EQ(span.frequencyHz.front(), centre - 10 * design.state().dF);
        EXPECT_DOUBLE_EQ(span.frequencyHz.back(), centre + 10 * design.state().dF);

        std::ostringstream deck;
        writeSpiceDeck(curve.model, SpiceDeckCircuit::CalculationModel,
                       SpiceSweep{span.frequencyHz.front(), span.frequencyHz.back(), 2001}, deck);
        const std::vector<SpicePoint> table =
            printedTable(runNgspice(deck.str(), absolute ? "spanAbsolute" : "spanRelative"));
        ASSERT_EQ(table.size(), 2001u);
        // Amin is the peak's attenuation of a matched filter: -(peak level + 20 log10 2).
        const double matchedLoss = 20 * std::log10(2.0);
        const double peak = -design.state().Amin - matchedLoss;
        const double offset = absolute ? matchedLoss : -peak;
        for (std::size_t i = 0; i < table.size(); ++i) {
            ASSERT_NEAR(table[i].frequency, span.frequencyHz[i], 1e-6);
            ASSERT_NEAR(span.levelDb[i], table[i].levelDb + offset, 1e-6) << table[i].frequency;
        }
        // The stopband far out lies well below the band.
        EXPECT_LT(span.levelDb.front(), design.state().FrLevel - 20);
    }
}

}  // namespace
}  // namespace trellon
