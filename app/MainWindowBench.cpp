// The window that takes the design to the bench, and what its buttons do in the main window.
#include <QPen>
#include <stdexcept>

#include "AtOnceWriter.h"
#include "BenchReport.h"
#include "BenchWindow.h"
#include "BuildSheetCsv.h"
#include "BuildSheetDocument.h"
#include "BuiltFilter.h"
#include "ChartView.h"
#include "Dialogs.h"
#include "ExportTexts.h"
#include "LocaleSeparator.h"
#include "MainWindow.h"
#include "MemoView.h"
#include "SchematicImage.h"

namespace trellon {

namespace {

constexpr const char* kPdfFileFilters = "PDF (*.pdf)";

}  // namespace

void MainWindow::BenchClick() {
    if (!bench_) {
        bench_ = std::make_unique<BenchWindow>(this);
        connect(bench_.get(), &BenchWindow::showRequested, this, &MainWindow::showBench);
        connect(bench_.get(), &BenchWindow::exportPdfRequested, this,
                &MainWindow::exportBenchSheetPdf);
        connect(bench_.get(), &BenchWindow::exportCsvRequested, this,
                &MainWindow::exportBenchSheetCsv);
    }
    bench_->show();
    bench_->raise();
    bench_->activateWindow();
}

std::optional<BenchCircuit> MainWindow::benchCircuit() {
    if (!drawnDesign_) {
        dialogs_.warning(QString::fromUtf8(texts::kNoDesignToExport));
        return std::nullopt;
    }
    try {
        const DesignState& s = engine_->state;
        return makeBenchCircuit(s, makeBuiltCircuit(s), bench_->settings());
    } catch (const std::invalid_argument& refused) {
        dialogs_.warning(QString::fromStdString(refused.what()));
        return std::nullopt;
    }
}

void MainWindow::showBench() {
    const std::optional<BenchCircuit> bench = benchCircuit();
    if (!bench) {
        return;
    }
    DesignState& s = engine_->state;
    const BenchResult result = solveBench(s, *bench, builtCurveFrequencies(s));
    CurveSeries amplitude;
    for (std::size_t i = 0; i < result.built.frequenciesHz.size(); ++i) {
        amplitude.x.push_back((result.built.frequenciesHz[i] - s.Fo * 1000) / 1000);
        amplitude.y.push_back(
            displayedLevel(result.built.levelsDb[i], result.built.figures, s.AbsoluteLevel));
    }
    Chart1->addExtraCurve(QStringLiteral("as built"), QPen(QColor(200, 30, 30), 2, Qt::DotLine),
                          std::move(amplitude), [](ChartQuantity) { return CurveSeries{}; });
    Memo1->show();
    WriteBenchReport(s, *Memo1, *Memo2, bench_->settings(), *bench, result,
                     localeDecimalSeparator());
    FRClick();
}

void MainWindow::exportBenchSheetPdf() {
    const std::optional<BenchCircuit> bench = benchCircuit();
    if (!bench) {
        return;
    }
    const QString name = exportFileName(QString::fromUtf8(kPdfFileFilters), QStringLiteral("pdf"));
    if (name.isEmpty()) {
        return;
    }
    const DesignState& s = engine_->state;
    const BenchResult result = solveBench(s, *bench, builtCurveFrequencies(s));
    const auto document =
        buildSheetDocument(s, bench_->settings(), *bench, result, {},
                           schematicImage(s.Topology, 1).toImage(), localeDecimalSeparator());
    runCommand([&] { writeBuildSheetPdf(*document, name); });
}

void MainWindow::exportBenchSheetCsv() {
    const std::optional<BenchCircuit> bench = benchCircuit();
    if (!bench) {
        return;
    }
    const QString name =
        exportFileName(QString::fromUtf8(texts::kCsvFileFilters), QStringLiteral("csv"));
    if (!name.isEmpty()) {
        runCommand([&] {
            writeFileAtOnce(name.toStdString(), writeBuildSheetCsv(*bench, {}), "the build sheet");
        });
    }
}

}  // namespace trellon
