// The window that tunes the filter as soldered, and what its tuning shows in the main window:
// the tuned built curve on the chart and its report block.
#include <QPen>

#include "BuiltCurveSource.h"
#include "BuiltFilter.h"
#include "ChartView.h"
#include "CurveRecord.h"
#include "LocaleSeparator.h"
#include "MainWindow.h"
#include "ToolWindowFrame.h"
#include "TuningWindow.h"
#include "texts/TuningTexts.h"

namespace trellon {

TuningWindow& MainWindow::tuningWindow() {
    if (!tuningWindow_) {
        TuningHooks hooks{
            .released =
                [this](const BenchCircuit& tuned, const QStringList& report) {
                    runCommand([&] { showTuned(tuned, report); });
                },
            .logBlock = [this](const std::vector<std::string>& lines) { logBlock(lines); }};
        tuningWindow_ = std::make_unique<TuningWindow>(document_, localeDecimalSeparator(),
                                                       std::move(hooks), this);
        tuningWindow_->setWindowIcon(windowIcon());
    }
    return *tuningWindow_;
}

void MainWindow::TuningClick() {
    bringForward(tuningWindow(), this);
}

void MainWindow::showTuned(const BenchCircuit& tuned, const QStringList& report) {
    const std::shared_ptr<const CalculatedDesign> design = document_.calculatedDesign();
    if (!design) {
        return;
    }
    const std::vector<double> frequencies = builtCurveFrequencies(design->band);
    const BuiltFilterResult result = solveBuiltFilter(*design, tuned.circuit, frequencies);
    const bool absolute = engine_->state.AbsoluteLevel;
    CurveSeries amplitude;
    for (std::size_t i = 0; i < result.frequenciesHz.size(); ++i) {
        amplitude.x.push_back((result.frequenciesHz[i] - design->foHz()) / 1000);
        amplitude.y.push_back(displayedLevel(result.levelsDb[i], result.figures, absolute));
    }
    amplitude.y = gapsForNonFinite(std::move(amplitude.y));
    const QString caption = QString::fromUtf8(texts::kTunedCurve);
    Chart1->removeExtraCurves({caption});
    Chart1->addExtraCurve(caption, QPen(QColor(0, 140, 60), 2), std::move(amplitude),
                          builtCurveSource(std::make_shared<const BuiltCircuit>(tuned.circuit),
                                           result.figures, absolute, drawnCurve_, wideSpan_));
    ReportBlockLines block;
    for (const QString& line : report) {
        block.results.push_back(line.toStdString());
        block.log.push_back(line.toStdString());
    }
    showReportBlock(ShownBlock::Tuning, block);
    FRClick();
}

}  // namespace trellon
