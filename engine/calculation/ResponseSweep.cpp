#include "ResponseSweep.h"

#include <cmath>
#include <optional>

#include "CentreEvaluation.h"
#include "Messages.h"
#include "NumberText.h"
#include "SteppedEvaluation.h"

namespace trellon {

namespace {

constexpr int kStepLimit = kSweepStepLimit;

// Walks the response of one netlist; each phase stops on its own condition or at the limit.
class Sweep {
public:
    Sweep(Engine& engine, bool overlay, SweepViews& views, char separator,
          SweepEvaluation evaluation)
        : engine_(engine),
          s_(engine.state),
          overlay_(overlay),
          views_(views),
          separator_(separator),
          matchedLoss_(kMatchedLoadLossDb) {
        if (evaluation == SweepEvaluation::Batched) {
            stepped_.emplace(engine);
        }
    }

    bool run(const ReportTexts& texts) {
        const double fo = s_.Fo * 1000;
        peakLevel_ = engine_.solver.outputLevelDb;
        s_.FAmin = fo;
        s_.Amin = -matchedLoss_ - peakLevel_;
        if (!scanPeak(fo) || !searchLowerEdge(fo) || !traceBand(fo)) {
            return false;
        }
        finish(texts);
        return true;
    }

private:
    // The walk that follows steps by stepHz from each frequency to the next.
    void startWalk(double stepHz) {
        if (stepped_) {
            stepped_->startWalk(stepHz);
        }
    }

    // Solves at f; A is then the output level there.
    bool evaluate(double f) {
        const bool solved = stepped_ ? stepped_->solveAt(f, views_.messages)
                                     : SolveAtFrequency(engine_, f, views_.messages);
        if (!solved) {
            return false;
        }
        level_ = engine_.solver.outputLevelDb;
        return true;
    }

    // Evaluates the next step of a phase; false once the solve fails or the phase has
    // run past its step limit.
    bool step(double f, int& steps) {
        ++steps;
        if (!evaluate(f)) {
            return false;
        }
        if (steps > kStepLimit) {
            views_.messages.showWarning(messages::kBandwidthLimit);
            return false;
        }
        return true;
    }

    bool scanPeak(double f) {
        int steps = 0;
        startWalk(10);
        do {
            f = f + 10;
            if (!step(f, steps)) {
                return false;
            }
            if (level_ > peakLevel_) {
                peakLevel_ = level_;
                s_.FAmin = f;
                s_.Amin = -matchedLoss_ - level_;
            }
        } while (level_ >= s_.LevelAtFo);
        return true;
    }

    bool searchLowerEdge(double f) {
        const double threshold = peakLevel_ + s_.FrLevel;
        int steps = 0;
        if (threshold < s_.LevelAtFo) {
            startWalk(-1);
            do {
                f = f - 1;
                if (!step(f, steps)) {
                    return false;
                }
                s_.BandLow = f;
            } while (level_ >= threshold);
        } else {
            startWalk(1);
            do {
                f = f + 1;
                if (!step(f, steps)) {
                    return false;
                }
                s_.BandLow = f;
            } while (level_ <= threshold);
        }
        return true;
    }

    bool traceBand(double fo) {
        const double threshold = peakLevel_ + s_.FrLevel;
        if (s_.CalcCount == 0) {
            for (int k = 0; k < kCurveCount; ++k) {
                views_.chart.clearCurve(k);
                views_.panels.panelCleared(k);
            }
        }
        curve_ = overlay_ ? s_.CalcCount : 0;
        engine_.curve.clear();
        double f = s_.BandLow;
        int steps = 0;
        startWalk(1);
        do {
            f = f + 1;
            if (!step(f, steps)) {
                return flushPoints(false);
            }
            const double x = (f - fo) / 1000;
            if (!s_.AbsoluteLevel) {
                engine_.curve.add(x, level_ - peakLevel_, f, engine_.solver.outputVoltage);
            } else {
                if (-s_.Amin <= s_.FrLevel) {
                    reportLevelAbovePeak();
                    return flushPoints(false);
                }
                engine_.curve.add(x, level_ + matchedLoss_, f, engine_.solver.outputVoltage);
            }
            s_.BandHigh = f;
        } while (level_ >= threshold);
        return flushPoints(true);
    }

    // Hands the traced points to the chart in one batch, on the axis of the level mode.
    bool flushPoints(bool result) {
        if (engine_.curve.size() > 0) {
            if (s_.AbsoluteLevel) {
                views_.chart.setAxisFixed(s_.FrLevel, 0);
            } else {
                views_.chart.setAxisAutomatic();
            }
            views_.chart.addPoints(curve_, engine_.curve.x(), engine_.curve.y());
        }
        return result;
    }

    void reportLevelAbovePeak() {
        views_.panels.curveRejected(s_.CalcCount,
                                    " Error: -" + FormatGeneral(s_.Amin, 3, separator_) + " < " +
                                        FormatGeneral(s_.FrLevel, 15, separator_));
        views_.messages.showWarning(messages::kBandwidthLimitRussian);
    }

    void finish(const ReportTexts& texts) {
        s_.BandWidthAtLevel = s_.BandHigh - s_.BandLow;
        s_.CcorNote = s_.Ccor != 0 ? "Ccor=" + FormatGeneral(s_.Ccor, 4, separator_) + " pF" : "";
        views_.panels.curveDrawn(curve_,
                                 "FR" + std::to_string(curve_ + 1) + ":" + s_.TableKey +
                                     texts.passBand + "; " + s_.CcorNote,
                                 overlay_);
        WriteCalculationReport(s_, views_.results, views_.log, texts, separator_);
    }

    Engine& engine_;
    DesignState& s_;
    const bool overlay_;
    SweepViews& views_;
    const char separator_;
    const double matchedLoss_;
    double peakLevel_ = 0;
    double level_ = 0;
    int curve_ = 0;
    std::optional<SteppedEvaluation> stepped_;
};

}  // namespace

bool RunResponseSweep(Engine& engine, bool overlay, SweepViews& views, const ReportTexts& texts,
                      char decimalSeparator, SweepEvaluation evaluation) {
    return Sweep(engine, overlay, views, decimalSeparator, evaluation).run(texts);
}

}  // namespace trellon
