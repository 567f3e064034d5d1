#include "Retrim.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <sstream>

#include "BuiltFilter.h"
#include "BuiltFilterSolver.h"
#include "CalculatedRun.h"
#include "CrystalChooser.h"
#include "MeasuredCrystalModel.h"
#include "Ngspice.h"
#include "ShapeMeasure.h"
#include "SpiceExport.h"

namespace trellon {
namespace {

constexpr int kCwEight = 7;

BenchSettings plainBench() {
    BenchSettings settings;
    settings.eSeries = 0;
    settings.strayPf = 0;
    return settings;
}

// The shape measure of `circuit` against the design, taken apart from the retrim.
double shapeMeasure(const CalculatedDesign& design, const BuiltCircuit& circuit) {
    const ShapeGrid grid(design, 41, ChoiceMeasure::Shape);
    ShapeMeasure measure(grid);
    return measure(circuit).deviation;
}

RetrimResult retrimmed(const CalculatedDesign& design, const BenchCircuit& bench,
                       const BenchSettings& settings, const CircuitTuning& start,
                       const RetrimSettings& retrimSettings) {
    std::atomic<bool> cancel{false};
    const auto began = std::chrono::steady_clock::now();
    std::optional<RetrimResult> result =
        retrim(design, bench, settings, start, retrimSettings, nullptr, cancel);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - began;
    std::cout << "retrim: " << took.count() << " s\n";
    EXPECT_TRUE(result);
    return result.value_or(RetrimResult{});
}

// Three capacitors of the nominal filter moved by known amounts: the retrim brings the measure
// back within 0.01 dB of the nominal circuit's own, and the shape measure taken apart agrees
// with the one it reports.
TEST(Retrim, BringsMovedCapacitorsBackToTheNominalShape) {
    CalculatedRun run(kCwEight, 8);
    const std::shared_ptr<const CalculatedDesign> design = run.calculated();
    const BenchSettings settings = plainBench();
    const BenchCircuit bench = makeBenchCircuit(design->band, design->circuit, settings);
    const double nominal = shapeMeasure(*design, bench.circuit);
    CircuitTuning moved;
    const std::pair<std::size_t, double> moves[] = {{1, 1.07}, {3, 0.95}, {6, 1.03}};
    for (const auto& [index, factor] : moves) {
        moved.capacitorsPf[bench.capacitors[index].name] =
            bench.capacitors[index].fittedPf * factor;
    }
    const RetrimResult result = retrimmed(*design, bench, settings, moved, RetrimSettings{});
    EXPECT_NEAR(result.measureBefore,
                shapeMeasure(*design, tunedBenchCircuit(bench, moved, settings).circuit), 1e-12);
    EXPECT_GT(result.measureBefore, nominal + 0.1);
    EXPECT_LT(result.measureAfter, nominal + 0.01);
    EXPECT_NEAR(result.measureAfter,
                shapeMeasure(*design, tunedBenchCircuit(bench, result.tuning, settings).circuit),
                1e-12);
    ASSERT_EQ(result.capacitors.size(), bench.capacitors.size());
    for (std::size_t i = 0; i < bench.capacitors.size(); ++i) {
        EXPECT_EQ(result.capacitors[i].name, bench.capacitors[i].name);
    }
    EXPECT_FALSE(result.plainRoundingMeasure);
}

// Crystals without holder capacitance, three of them lowered in Fs by a larger motional
// capacitance Cm (the inductance kept): a trimmer Ct = Cm Cn / (Cm - Cn) in series makes each
// exactly the nominal one (Cn) again. The retrim finds those trimmers, keeps the others short,
// and the measure returns within 0.01 dB of the nominal circuit's.
TEST(Retrim, TrimmersRaiseLoweredCrystalsBackByTheClosedForm) {
    CalculatedRun run(kCwEight, 8);
    const std::shared_ptr<const CalculatedDesign> design = run.calculated();
    const BenchSettings settings = plainBench();
    BuiltCircuit nominalCircuit = design->circuit;
    for (BuiltPart& part : nominalCircuit.parts) {
        part.crystal.holderCapacitance = 0;
    }
    const BenchCircuit nominal = makeBenchCircuit(design->band, nominalCircuit, settings);
    const std::map<std::string, double> loweredHz{{"ZQ2", 40}, {"ZQ5", 25}, {"ZQ7", 60}};
    std::map<std::string, double> expectedPf;
    BenchCircuit lowered = nominal;
    for (BuiltPart& part : lowered.circuit.parts) {
        if (loweredHz.contains(part.name)) {
            const double fs = crystalFsHz(part);
            const double cn = part.crystal.motionalCapacitance;
            const double cm = cn * std::pow(fs / (fs - loweredHz.at(part.name)), 2);
            part.crystal.motionalCapacitance = cm;
            expectedPf[part.name] = cm * cn / (cm - cn) / 1e-12;
        }
    }
    RetrimSettings trimmers;
    trimmers.trimmerMinPf = 100;
    trimmers.trimmerMaxPf = 20000;
    const RetrimResult result = retrimmed(*design, lowered, settings, {}, trimmers);
    const double nominalMeasure = shapeMeasure(*design, nominal.circuit);
    EXPECT_GT(result.measureBefore, nominalMeasure + 0.5);
    EXPECT_LT(result.measureAfter, nominalMeasure + 0.01);
    ASSERT_EQ(result.trimmers.size(), 8u);
    for (const RetrimTrimmer& trimmer : result.trimmers) {
        if (expectedPf.contains(trimmer.crystal)) {
            ASSERT_TRUE(trimmer.pf) << trimmer.crystal;
            // 2 %: a twentieth of a hertz in the raise of about 40 Hz.
            EXPECT_NEAR(*trimmer.pf / expectedPf.at(trimmer.crystal), 1, 0.02) << trimmer.crystal;
        } else {
            EXPECT_FALSE(trimmer.pf) << trimmer.crystal;
        }
    }
}

}  // namespace
}  // namespace trellon
