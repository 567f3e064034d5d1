// The questions the main window asks before it closes about the work of its tool windows.
#include "BenchWindow.h"
#include "CrystalBatchWindow.h"
#include "Dialogs.h"
#include "MainWindow.h"
#include "MonteCarloWindow.h"
#include "texts/ClosingTexts.h"

namespace trellon {

// A run still going is stopped with its window when the program ends. A batch or project not
// saved is offered the project file; the log's own question follows.
bool MainWindow::closeWithPendingWork() {
    const bool retrimming = bench_ && bench_->retrimPanel().running();
    if (batchWindow_->choosing() || batchWindow_->fitting() || monteCarloWindow_->running() ||
        retrimming) {
        if (dialogs_.choice(QString::fromUtf8(texts::kRunGoingQuestion),
                            {QString::fromUtf8(texts::kStopAndClose)}) != 0) {
            return false;
        }
    }
    if (!batchWindow_->batchUnsaved() && !document_.projectChanged()) {
        return true;
    }
    switch (dialogs_.question(QString::fromUtf8(texts::kUnsavedWorkQuestion))) {
        case Dialogs::Answer::Yes:
            SaveProjectClick();
            return !batchWindow_->batchUnsaved() && !document_.projectChanged();
        case Dialogs::Answer::No:
            return true;
        case Dialogs::Answer::Cancel:
            return false;
    }
    return false;
}

}  // namespace trellon
