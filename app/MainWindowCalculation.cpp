// The calculation command of the main window.
#include "BusyCursor.h"
#include "Calculation.h"
#include "ChartView.h"
#include "CurveStatusBar.h"
#include "LocaleSeparator.h"
#include "MainWindow.h"
#include "MemoView.h"

namespace trellon {

void MainWindow::CalculateClick() {
    runCommand([this] {
        if (newDesignMayDropTuning()) {
            calculate();
        }
    });
}

// A failure that throws ends the command here, before the run counter advances.
void MainWindow::calculate() {
    DesignState& s = engine_->state;
    const bool overlay = menu_.BonusACH->isChecked();
    if (!overlay) {
        clearCurvesAndPanelTexts();
    }
    if (s.CalcCount > 4) {
        restartCurveCycle();
    }
    const CalculationInputs inputs{
        .design = {.fo = inputs_.Edit1->text().toStdString(),
                   .ld = inputs_.Edit3->text().toStdString(),
                   .cs = inputs_.Edit4->text().toStdString(),
                   .rd = inputs_.Edit6->text().toStdString(),
                   .ccor = inputs_.Edit11->text().toStdString(),
                   .dF = inputs_.Edit2->text().toStdString()},
        .level = inputs_.Edit5->text().toStdString(),
        .filterType = inputs_.Edit10->text().toStdString(),
        .overlay = overlay,
        .decimalSeparator = localeDecimalSeparator(),
    };
    CalculationViews views{*this, *Chart1, *StatusBar1, *Memo1, *Memo2};
    BusyCursor cursor;
    const CalculationOutcome outcome = RunCalculation(*engine_, inputs, views, &cursor);
    if (outcome == CalculationOutcome::Completed) {
        recordDrawnCurve(overlay ? s.CalcCount : 0);
        showSpecifiedSchematic();
    }
    if (outcome == CalculationOutcome::Completed || outcome == CalculationOutcome::SweepStopped) {
        FRClick();
    }
    ++s.CalcCount;
    StatusBar1->update();
}

}  // namespace trellon
