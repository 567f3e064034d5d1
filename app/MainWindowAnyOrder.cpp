// The main window's ladder of any order: its window, and its design shown as the current one, its
// schematic drawn from the circuit in place of the picture and the result fields until the next
// calculation returns them.
#include <QLabel>
#include <QScopedValueRollback>
#include <QScrollArea>

#include "AnyOrderCalculatedDesign.h"
#include "AnyOrderReportText.h"
#include "AnyOrderTypedInputs.h"
#include "AnyOrderWindow.h"
#include "ChartView.h"
#include "CircuitSchematicView.h"
#include "CurveStatusBar.h"
#include "DesignCurveRecord.h"
#include "Dialogs.h"
#include "LocaleSeparator.h"
#include "MainWindow.h"
#include "MemoView.h"
#include "Messages.h"
#include "NumberText.h"
#include "ToolWindowFrame.h"
#include "WindowLayout.h"

namespace trellon {

void MainWindow::buildCircuitSchematic(QWidget* client) {
    circuitArea_ = new QScrollArea(client);
    circuitArea_->setObjectName(QStringLiteral("CircuitArea"));
    circuitArea_->setGeometry(layout::kSchematic);
    circuitArea_->setFrameShape(QFrame::NoFrame);
    circuitArea_->setWidgetResizable(true);
    circuitArea_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    circuitView_ = new CircuitSchematicView;
    circuitView_->setObjectName(QStringLiteral("CircuitSchematic"));
    circuitView_->setDecimalSeparator(localeDecimalSeparator());
    // The scroll area asks the size policy, not the widget, whether height follows width.
    QSizePolicy policy = circuitView_->sizePolicy();
    policy.setHeightForWidth(true);
    circuitView_->setSizePolicy(policy);
    circuitArea_->setWidget(circuitView_);
    circuitArea_->hide();
}

AnyOrderWindow& MainWindow::anyOrderWindow() {
    if (!anyOrderWindow_) {
        AnyOrderHooks hooks{
            .showWarning = [this](const QString& text) { dialogs_.warning(text); },
            .design =
                [this](const ProjectAnyOrder& typed) {
                    runCommand([&] {
                        if (newDesignMayDropTuning()) {
                            designAnyOrderFrom(typed);
                        }
                    });
                },
        };
        anyOrderWindow_ =
            std::make_unique<AnyOrderWindow>(document_, localeDecimalSeparator(), std::move(hooks));
        anyOrderWindow_->setWindowIcon(windowIcon());
    }
    return *anyOrderWindow_;
}

// Opened, the window shows the any-order design in hand, or the crystal typed in the main window.
void MainWindow::AnyOrderClick() {
    AnyOrderWindow& window = anyOrderWindow();
    if (!window.isVisible()) {
        if (document_.anyOrder()) {
            window.setInputs(*document_.anyOrder());
        } else {
            window.setCrystal(
                inputs_.Edit1->text().toStdString(), inputs_.Edit3->text().toStdString(),
                inputs_.Edit4->text().toStdString(), inputs_.Edit6->text().toStdString());
            window.offerBandwidth(inputs_.Edit2->text().toStdString());
        }
    }
    bringForward(window, this);
}

// Everything is designed and checked before the chart, the results or the document change.
void MainWindow::designAnyOrderFrom(const ProjectAnyOrder& typed) {
    const char separator = localeDecimalSeparator();
    const std::optional<double> levelTyped = typedLevel();
    if (!levelTyped) {
        return;
    }
    const double level = *levelTyped;
    const AnyOrderDesign design = designAnyOrder(anyOrderInputsOf(typed, separator));
    std::shared_ptr<const CalculatedDesign> calculated = anyOrderCalculatedDesign(design, level);
    DesignState& s = engine_->state;
    const LevelMode mode = s.AbsoluteLevel ? LevelMode::Absolute : LevelMode::RelativeToPeak;
    const bool overlay = menu_.BonusACH->isChecked();
    const int k = overlay && s.CalcCount <= 4 ? s.CalcCount : 0;
    auto record = std::make_shared<const CurveRecord>(
        designCurveRecord(*calculated, mode, "FR" + std::to_string(k + 1)));

    // As a calculation draws its curve: a new cycle of curves after the fifth, or without overlays.
    if (!overlay) {
        clearCurvesAndPanelTexts();
    }
    if (s.CalcCount > 4) {
        restartCurveCycle();
    }
    if (s.CalcCount == 0) {
        clearCurvesAndPanelTexts();
    }
    if (s.AbsoluteLevel) {
        Chart1->setAxisFixed(level, 0);
    } else {
        Chart1->setAxisAutomatic();
    }
    Chart1->addPoints(k, record->detuningKhz, record->levelDb);
    StatusBar1->curveDrawn(k,
                           record->caption + ":" + calculated->name +
                               FormatGeneral(calculated->passBandHz, 15, separator),
                           overlay);
    s.Calculated = true;
    {
        const QScopedValueRollback editing(editingDocument_, true);
        document_.setAnyOrder(typed);
    }
    const ReportBlockLines block = anyOrderReportBlock(design, *calculated, separator);
    showDrawnCurve(k, std::move(record), std::move(calculated));
    showCircuitSchematic(design.circuit);
    Memo1->show();
    appendReportBlock(s, *Memo1, *Memo2, block);
    ++s.CalcCount;
    StatusBar1->update();
    FRClick();
}

void MainWindow::showCircuitSchematic(const BuiltCircuit& circuit) {
    circuitView_->setCircuit(circuit);
    ShemaFiltr->hide();
    resultFields_->hideAll();
    circuitArea_->show();
}

void MainWindow::showSpecifiedSchematic() {
    circuitArea_->hide();
    ShemaFiltr->show();
    if (!chartEnlarged_) {
        resultFields_->showFor(engine_->state.Topology);
    }
    const QScopedValueRollback editing(editingDocument_, true);
    document_.setAnyOrder(std::nullopt);
}

}  // namespace trellon
