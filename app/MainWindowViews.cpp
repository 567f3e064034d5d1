// The main window's handlers of the chart's quantities, its zoom and the curves it keeps.
#include <algorithm>
#include <cmath>

#include "ChartView.h"
#include "CurveRecord.h"
#include "Dialogs.h"
#include "MainWindow.h"
#include "WideSpan.h"
#include "texts/ExportTexts.h"

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
    // Around the drawn curve's band centre, the span stays above 0 Hz.
    const double centreHz =
        drawnCurve_ ? (drawnCurve_->bandLowHz + drawnCurve_->bandHighHz) / 2 : kNoLimit;
    const double largestKhz =
        std::min(settings::kSpanKhz.range.high - 0.1, (std::ceil(centreHz / 100) - 1) / 10);
    const std::optional<double> halfWidthKhz =
        dialogs_.wideSpanKhz(wideSpan_->halfWidthHz / 1000, largestKhz);
    if (!halfWidthKhz) {
        return;
    }
    if (drawnCurve_ && *halfWidthKhz > 0 &&
        !settings::spanFitsCentre(centreHz, *halfWidthKhz * 1000, wideSpan_->points)) {
        dialogs_.warning(QString::fromUtf8(texts::kWideSpanDoesNotFit));
        return;
    }
    wideSpan_->halfWidthHz = *halfWidthKhz * 1000;
    Chart1->forgetQuantity(ChartQuantity::WideSpan);
}

}  // namespace trellon
