#include "Calculation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "Catalogue.h"
#include "CommandError.h"
#include "CrystalFormulas.h"
#include "DesignRun.h"
#include "Messages.h"
#include "RecordingChart.h"

namespace trellon {
namespace {

// One calculation with recording views; the engine carries over between runs like the
// window's does.
class CalculationTest : public ::testing::Test {
protected:
    CalculationOutcome calculate(int topology, int response, const std::string& level = "-10",
                                 char separator = '.') {
        DesignState& s = run.state();
        s.Topology = topology;
        s.Response = response;
        inputs.level = level;
        inputs.decimalSeparator = separator;
        CalculationViews views{run.view, chart, chart, results, log};
        return RunCalculation(*run.engine, inputs, views);
    }

    // The output level at f, by a fresh solve of the current netlist.
    double levelAt(double f) {
        EXPECT_TRUE(run.engine->solver.solve(f * kTwoPi));
        return run.engine->solver.computeOutputLevel();
    }

    DesignRun run;
    RecordingChart chart;
    RecordingTextView results;
    RecordingTextView log;
    CalculationInputs inputs{startupTexts(), "-10", "Butt. dA=3 dB", true, '.'};
};

TEST_F(CalculationTest, BandEdgesWhenFoLiesInsideTheBand) {
    ASSERT_EQ(calculate(1, 1, "-20"), CalculationOutcome::Completed);
    const DesignState& s = run.state();
    const double fo = s.Fo * 1000;
    const double peak = -20 * std::log10(2.0) - s.Amin;
    const double threshold = peak + s.FrLevel;
    ASSERT_LT(threshold, s.LevelAtFo);
    EXPECT_LT(s.BandLow, fo);
    EXPECT_LT(levelAt(s.BandLow), threshold);
    EXPECT_GE(levelAt(s.BandLow + 1), threshold);
    EXPECT_LT(levelAt(s.BandHigh), threshold);
    EXPECT_GE(levelAt(s.BandHigh - 1), threshold);
    EXPECT_EQ(s.BandWidthAtLevel, s.BandHigh - s.BandLow);
    EXPECT_EQ(levelAt(s.FAmin), peak);
    EXPECT_TRUE(run.view.warnings.empty());
}

TEST_F(CalculationTest, BandEdgesWhenFoLiesBelowTheBand) {
    ASSERT_EQ(calculate(7, 8, "-3"), CalculationOutcome::Completed);
    const DesignState& s = run.state();
    const double peak = -20 * std::log10(2.0) - s.Amin;
    const double threshold = peak + s.FrLevel;
    ASSERT_GE(threshold, s.LevelAtFo);
    EXPECT_GT(s.BandLow, s.Fo * 1000);
    EXPECT_GT(levelAt(s.BandLow), threshold);
    EXPECT_LE(levelAt(s.BandLow - 1), threshold);
    EXPECT_LT(levelAt(s.BandHigh), threshold);
    // The 10 Hz peak scan reaches above Fo only; its peak lies inside the traced band.
    EXPECT_GT(s.FAmin, s.BandLow);
    EXPECT_LT(s.FAmin, s.BandHigh);
}

TEST_F(CalculationTest, RelativeCurveIsOneBatchOfOneHertzPointsPeakingAtZero) {
    ASSERT_EQ(calculate(2, 3), CalculationOutcome::Completed);
    const DesignState& s = run.state();
    const auto& curve = chart.curves[0];
    EXPECT_EQ(curve.batches, 1);
    ASSERT_EQ(static_cast<double>(curve.x.size()), s.BandHigh - s.BandLow);
    EXPECT_EQ(curve.x.front(), (s.BandLow + 1 - s.Fo * 1000) / 1000);
    EXPECT_EQ(curve.x.back(), (s.BandHigh - s.Fo * 1000) / 1000);
    EXPECT_TRUE(std::is_sorted(curve.x.begin(), curve.x.end()));
    const auto peakPoint =
        std::find(curve.x.begin(), curve.x.end(), (s.FAmin - s.Fo * 1000) / 1000);
    ASSERT_NE(peakPoint, curve.x.end());
    EXPECT_EQ(curve.y[peakPoint - curve.x.begin()], 0.0);
    EXPECT_LT(curve.y.back(), s.FrLevel);
    EXPECT_EQ(chart.axis, RecordingChart::Axis::Automatic);
}

TEST_F(CalculationTest, AbsoluteCurveOnAFixedAxisShowsTheNegatedLoss) {
    run.state().AbsoluteLevel = true;
    ASSERT_EQ(calculate(3, 1, "-15"), CalculationOutcome::Completed);
    const auto& curve = chart.curves[0];
    EXPECT_EQ(chart.axis, RecordingChart::Axis::Fixed);
    EXPECT_EQ(chart.axisMinimum, -15);
    EXPECT_EQ(chart.axisMaximum, 0);
    EXPECT_NEAR(*std::max_element(curve.y.begin(), curve.y.end()), -run.state().Amin, 0.01);
}

TEST_F(CalculationTest, AbsoluteLevelAboveThePeakIsRefusedWithoutAPoint) {
    DesignState& s = run.state();
    s.AbsoluteLevel = true;
    s.CalcCount = 2;
    EXPECT_EQ(calculate(7, 8, "-0.5"), CalculationOutcome::SweepStopped);
    EXPECT_EQ(run.view.warnings, std::vector<std::string>{messages::kBandwidthLimitRussian});
    EXPECT_EQ(chart.panels[2].told, RecordingChart::Told::Rejected);
    EXPECT_EQ(chart.panels[2].rejection, " Error: -1.56 < -0.5");
    for (const auto& curve : chart.curves) {
        EXPECT_TRUE(curve.x.empty());
    }
    EXPECT_EQ(chart.axis, RecordingChart::Axis::Untouched);
    EXPECT_TRUE(log.lines.empty());
    EXPECT_TRUE(results.lines.empty());
}

TEST_F(CalculationTest, APhaseRunningPastItsStepLimitEndsWithTheEnglishMessage) {
    inputs.design.dF = "30000";
    EXPECT_EQ(calculate(1, 1, "-40"), CalculationOutcome::SweepStopped);
    EXPECT_EQ(run.view.warnings, std::vector<std::string>{messages::kBandwidthLimit});
    EXPECT_EQ(std::string(messages::kBandwidthLimit),
              "The filter bandwidth has exceeded +/-30 kHz limits\r"
              "      for a given frequency response level. \r"
              "            Please check your input. ");
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(CalculationTest, TheFirstCalculationOfACycleClearsAllCurvesAndPanels) {
    for (int k = 0; k < kCurveCount; ++k) {
        chart.addPoints(k, std::vector<double>{1}, std::vector<double>{1});
        chart.curveDrawn(k, "old", true);
    }
    inputs.overlay = false;
    ASSERT_EQ(calculate(1, 1), CalculationOutcome::Completed);
    for (int k = 0; k < kCurveCount; ++k) {
        EXPECT_EQ(chart.curves[k].clears, 1);
        EXPECT_EQ(chart.panels[k].told,
                  k == 0 ? RecordingChart::Told::Drawn : RecordingChart::Told::Cleared);
        EXPECT_EQ(chart.panels[k].caption, k == 0 ? "FR1:B03-3100; " : "");
    }
    EXPECT_FALSE(chart.curves[0].x.empty());
    EXPECT_TRUE(chart.curves[1].x.empty());
}

TEST_F(CalculationTest, OverlayDrawsIntoTheCurveOfCalcCountAndTellsItsPanel) {
    run.state().CalcCount = 2;
    ASSERT_EQ(calculate(5, 2), CalculationOutcome::Completed);
    EXPECT_EQ(chart.curves[0].clears, 0);
    EXPECT_FALSE(chart.curves[2].x.empty());
    EXPECT_EQ(chart.panels[2].told, RecordingChart::Told::Overlaid);
    EXPECT_EQ(chart.panels[2].caption, "FR3:T04C-10-3100; Ccor=82 pF");
    EXPECT_EQ(run.state().CcorNote, "Ccor=82 pF");
    EXPECT_EQ(log.lines.size(), 6u);
}

TEST_F(CalculationTest, LevelChecksComeAfterTheSynthesis) {
    EXPECT_EQ(calculate(1, 1, ""), CalculationOutcome::LevelRejected);
    EXPECT_EQ(run.view.warnings, std::vector<std::string>{"Задайте уровень АЧХ!"});
    EXPECT_FALSE(run.view.fields.empty());

    run.view = RecordingDesignView{};
    EXPECT_EQ(calculate(1, 1, "0"), CalculationOutcome::LevelRejected);
    EXPECT_EQ(run.view.warnings, std::vector<std::string>{"Уровень АЧХ задан не корректно!"});
    EXPECT_EQ(run.state().FrLevel, 0);

    run.view = RecordingDesignView{};
    EXPECT_EQ(calculate(1, 1, "2,5", ','), CalculationOutcome::LevelRejected);
    EXPECT_EQ(run.state().FrLevel, 2.5);
    EXPECT_EQ(chart.axis, RecordingChart::Axis::Untouched);
    EXPECT_TRUE(log.lines.empty());

    run.view = RecordingDesignView{};
    inputs.design.ld = "";
    EXPECT_EQ(calculate(1, 1, ""), CalculationOutcome::SynthesisStopped);
    EXPECT_EQ(run.view.warnings,
              std::vector<std::string>{"Необходимо задать все данные для расчета !"});
}

TEST_F(CalculationTest, LevelTextThatIsNotANumberThrowsTheConversionError) {
    for (const char* level : {"-", "1-2", "-10 dB"}) {
        try {
            calculate(1, 1, level);
            ADD_FAILURE() << level;
        } catch (const CommandError& error) {
            EXPECT_EQ(std::string(error.what()),
                      "'" + std::string(level) + "' is not a valid floating point value");
        }
    }
}

TEST_F(CalculationTest, ALevelTypedWithACommaIsReportedAsTyped) {
    ASSERT_EQ(calculate(1, 1, "-10,0", '.'), CalculationOutcome::Completed);
    EXPECT_EQ(log.lines[2], "Butt. dA=3 dB;  dF=3100 Hz;  FR Level=-10,0 dB;  SWR=1;  Kref=0%;");
}

// Everything a calculation leaves behind that the walk's evaluation could touch.
struct CalculationTrace {
    CalculationOutcome outcome;
    std::vector<std::string> events;
    std::vector<std::string> results;
    std::vector<std::string> log;
    std::vector<std::vector<double>> curves;
    std::vector<std::string> panels;
    std::vector<double> fields;
    std::string ccorNote;
    bool solveOk;

    bool operator==(const CalculationTrace&) const = default;
};

CalculationTrace traceCalculation(int topology, int response, const CalculationInputs& inputs,
                                  bool absolute) {
    DesignRun run;
    RecordingChart chart;
    RecordingTextView results;
    RecordingTextView log;
    DesignState& s = run.state();
    s.Topology = topology;
    s.Response = response;
    s.AbsoluteLevel = absolute;
    CalculationViews views{run.view, chart, chart, results, log};
    CalculationTrace trace;
    trace.outcome = RunCalculation(*run.engine, inputs, views);
    trace.events = run.view.events;
    trace.results = results.lines;
    trace.log = log.lines;
    for (const auto& curve : chart.curves) {
        trace.curves.push_back(curve.x);
        trace.curves.push_back(curve.y);
        trace.curves.push_back({double(curve.batches), double(curve.clears)});
    }
    for (const auto& panel : chart.panels) {
        trace.panels.push_back(std::to_string(int(panel.told)) + "|" + panel.caption + "|" +
                               panel.rejection);
    }
    trace.fields = {s.Frequency,
                    s.Amin,
                    s.FAmin,
                    s.BandLow,
                    s.BandHigh,
                    s.BandWidthAtLevel,
                    s.LevelAtFo,
                    run.engine->solver.outputLevelDb,
                    double(chart.axis),
                    chart.axisMinimum,
                    chart.axisMaximum};
    trace.ccorNote = s.CcorNote;
    trace.solveOk = run.engine->solver.solveOk;
    return trace;
}

// The walk evaluated a batch ahead must stop exactly where the one-at-a-time walk stops, with the
// same points, fields, messages and solver state: at the start-up inputs for every design, and
// for designs whose peak scan, lower-edge search down or up, or band trace runs into its limit.
TEST(SpeculativeSweep, GivesWhatTheOneAtATimeWalkGives) {
    struct Case {
        int topology;
        int response;
        DesignTexts design;
        std::string level;
    };
    std::vector<Case> cases;
    for (int topology = 1; topology <= kTopologyCount; ++topology) {
        for (int response = 1; response <= kResponseCount; ++response) {
            cases.push_back({topology, response, startupTexts(), "-10"});
        }
    }
    const DesignTexts widePeak{"8863.682", "0.5", "0", "5.7", "82", "200000"};
    const DesignTexts deepEdge{"8863.682", "17.15", "0", "5.7", "82", "3100"};
    const DesignTexts wideBand{"8863.682", "17.15", "0", "5.7", "82", "100000"};
    cases.push_back({3, 1, widePeak, "-1"});
    cases.push_back({1, 1, deepEdge, "-80"});
    cases.push_back({1, 1, wideBand, "-1"});
    cases.push_back({1, 8, deepEdge, "-80"});
    int limitEnds = 0;
    for (const Case& c : cases) {
        for (bool absolute : {false, true}) {
            CalculationInputs inputs{c.design, c.level, "Butt. dA=3 dB", true, '.'};
            const CalculationTrace batched =
                traceCalculation(c.topology, c.response, inputs, absolute);
            inputs.sweepEvaluation = SweepEvaluation::OneAtATime;
            const CalculationTrace alone =
                traceCalculation(c.topology, c.response, inputs, absolute);
            EXPECT_TRUE(batched == alone) << c.topology << "/" << c.response << " " << c.level;
            limitEnds += !alone.events.empty() &&
                         alone.events.back() == std::string("warning ") + messages::kBandwidthLimit;
        }
    }
    EXPECT_EQ(limitEnds, 8);
}

}  // namespace
}  // namespace trellon
