#include "Calculation.h"

#include "Messages.h"
#include "NumberText.h"
#include "ResponseSweep.h"

namespace trellon {

namespace {

// Keeps the observer told of the sweep's end whichever way it ends.
class SweepScope {
public:
    explicit SweepScope(SweepObserver* observer) : observer_(observer) {
        if (observer_ != nullptr) {
            observer_->sweepStarted();
        }
    }
    ~SweepScope() {
        if (observer_ != nullptr) {
            observer_->sweepEnded();
        }
    }
    SweepScope(const SweepScope&) = delete;
    SweepScope& operator=(const SweepScope&) = delete;

private:
    SweepObserver* observer_;
};

}  // namespace

CalculationOutcome RunCalculation(Engine& engine, const CalculationInputs& inputs,
                                  CalculationViews& views, SweepObserver* observer) {
    const char separator = inputs.decimalSeparator;
    if (!SynthesizeFilter(engine, inputs.design, separator, views.design)) {
        return CalculationOutcome::SynthesisStopped;
    }
    if (inputs.level.empty()) {
        views.design.showWarning(messages::kNoLevel);
        return CalculationOutcome::LevelRejected;
    }
    DesignState& s = engine.state;
    s.FrLevel = TypedNumber(inputs.level, separator);
    if (s.FrLevel >= 0) {
        views.design.showWarning(messages::kBadLevel);
        return CalculationOutcome::LevelRejected;
    }
    SweepViews sweepViews{views.chart, views.panels, views.results, views.log, views.design};
    const ReportTexts texts{inputs.filterType, inputs.design.dF, inputs.level};
    const SweepScope scope(observer);
    return RunResponseSweep(engine, inputs.overlay, sweepViews, texts, separator,
                            inputs.sweepEvaluation)
               ? CalculationOutcome::Completed
               : CalculationOutcome::SweepStopped;
}

}  // namespace trellon
