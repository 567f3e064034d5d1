// The builder's tuning belongs to the design it was made on: a new calculation asks before it
// drops it, and other crystals, another batch or other bench settings keep it only for the parts
// the circuit still has. A tuning a project brings waits for its design to be calculated.
#include "CommandError.h"
#include "Dialogs.h"
#include "DocumentCircuit.h"
#include "MainWindow.h"
#include "MemoView.h"
#include "TuningWithin.h"
#include "texts/DocumentTuningTexts.h"

namespace trellon {

bool MainWindow::newDesignMayDropTuning() {
    if (!document_.tuning() || tuningAwaitsDesign_) {
        return true;
    }
    const QString question =
        QString::fromUtf8(texts::kDropTuningQuestion).arg(tunedPartCount(*document_.tuning()));
    return dialogs_.question(question) == Dialogs::Answer::Yes;
}

void MainWindow::followCalculationWithTuning() {
    if (tuningAwaitsDesign_) {
        tuningAwaitsDesign_ = false;
        keepTuningWithinCircuit();
    } else if (document_.tuning()) {
        document_.setTuning(std::nullopt);
        logBlock({texts::kTuningDroppedLine});
    }
}

void MainWindow::keepTuningWithinCircuit() {
    if (!document_.tuning() || tuningAwaitsDesign_) {
        return;
    }
    std::optional<BenchCircuit> untuned;
    try {
        untuned = documentCircuit(document_, false);
    } catch (const CommandError&) {
        return;  // no circuit to measure the tuning against: it waits for one
    }
    if (!untuned) {
        return;
    }
    const TuningWithin within = tuningWithin(*document_.tuning(), *untuned);
    if (within.dropped.empty()) {
        return;
    }
    std::string names;
    for (const std::string& name : within.dropped) {
        names += (names.empty() ? "" : ", ") + name;
    }
    document_.setTuning(within.kept.empty() ? std::nullopt
                                            : std::optional<CircuitTuning>(within.kept));
    logBlock({QString::fromUtf8(texts::kTuningPartsDroppedLine)
                  .arg(QString::fromStdString(names))
                  .toStdString()});
}

void MainWindow::logBlock(const std::vector<std::string>& lines) {
    appendReportBlock(engine_->state, *Memo1, *Memo2, {{}, lines});
}

}  // namespace trellon
