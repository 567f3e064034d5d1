// The main window's handlers of the chart's quantities, its zoom and the curves it keeps.
#include "ChartView.h"
#include "Dialogs.h"
#include "MainWindow.h"
#include "WideSpan.h"

namespace trellon {

void MainWindow::connectChartCommands() {
    wideSpan_ = std::make_shared<SpanSettings>();
    const MainMenu& m = menu_;
    const std::pair<QAction*, ChartQuantity> quantities[] = {
        {m.ViewAmplitude, ChartQuantity::Amplitude},
        {m.ViewGroupDelay, ChartQuantity::GroupDelay},
        {m.ViewReturnLoss, ChartQuantity::ReturnLoss},
        {m.ViewWideSpan, ChartQuantity::WideSpan}};
    for (const auto& [item, quantity] : quantities) {
        connect(item, &QAction::triggered, this,
                [this, q = quantity] { runCommand([this, q] { chooseQuantity(q); }); });
    }
    connectCommand(m.ZoomBack, &QAction::triggered, &MainWindow::ZoomBackClick);
    connectCommand(m.WideSpanWidth, &QAction::triggered, &MainWindow::WideSpanWidthClick);
    connectCommand(m.ExportChart, &QAction::triggered, &MainWindow::ExportChartClick);
    connectCommand(m.ExportCurves, &QAction::triggered, &MainWindow::ExportCurvesClick);
    connectCommand(m.ExportSpice, &QAction::triggered, &MainWindow::ExportSpiceClick);
    connectCommand(m.ExportTouchstone, &QAction::triggered, &MainWindow::ExportTouchstoneClick);
    connectCommand(m.ImportMeasured, &QAction::triggered, &MainWindow::ImportMeasuredClick);
}

// The quantity stays chosen for the curves of later calculations too.
void MainWindow::chooseQuantity(ChartQuantity quantity) {
    Chart1->setQuantity(quantity);
    FRClick();
}

void MainWindow::ZoomBackClick() {
    Chart1->undoZoom();
}

void MainWindow::WideSpanWidthClick() {
    const std::optional<double> halfWidthKhz = dialogs_.wideSpanKhz(wideSpan_->halfWidthHz / 1000);
    if (!halfWidthKhz) {
        return;
    }
    wideSpan_->halfWidthHz = *halfWidthKhz * 1000;
    Chart1->forgetQuantity(ChartQuantity::WideSpan);
}

}  // namespace trellon
