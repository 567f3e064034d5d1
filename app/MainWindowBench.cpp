// The window that takes the design to the bench, and what its buttons do in the main window.
#include <QPen>
#include <QScopedValueRollback>

#include "AtOnceWriter.h"
#include "BenchReport.h"
#include "BenchWindow.h"
#include "BuildSheetCsv.h"
#include "BuildSheetDocument.h"
#include "BuiltFilter.h"
#include "Catalogue.h"
#include "ChartView.h"
#include "CommandError.h"
#include "CrystalBatchWindow.h"
#include "CurveRecord.h"
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

BenchWindow& MainWindow::benchWindow() {
    if (!bench_) {
        // The new window hands the document its settings before bench_ holds it.
        const QScopedValueRollback editing(editingDocument_, true);
        bench_ = std::make_unique<BenchWindow>(
            document_,
            BenchHooks{.show = [this] { runCommand([this] { showBench(); }); },
                       .exportPdf = [this] { runCommand([this] { exportBenchSheetPdf(); }); },
                       .exportCsv = [this] { runCommand([this] { exportBenchSheetCsv(); }); }},
            this);
    }
    return *bench_;
}

void MainWindow::BenchClick() {
    benchWindow();
    bench_->show();
    bench_->raise();
    bench_->activateWindow();
}

// The design of the last completed calculation, as the exports take it: the fields and the
// topology may have changed since without a new calculation.
DesignState MainWindow::drawnBenchState() const {
    DesignState s = engine_->state;
    s.Topology = drawnDesign_->topology;
    s.Fo = drawnDesign_->foHz / 1000;
    s.BandLow = drawnDesign_->bandLowHz;
    s.BandHigh = drawnDesign_->bandHighHz;
    s.FrLevel = drawnDesign_->frLevelDb;
    return s;
}

std::optional<BenchCircuit> MainWindow::benchCircuit(std::vector<std::string>& crystalNames) {
    if (!drawnDesign_) {
        dialogs_.warning(QString::fromUtf8(texts::kNoDesignToExport));
        return std::nullopt;
    }
    const DesignState drawn = drawnBenchState();
    const std::optional<std::vector<MeasuredCrystal>> placed =
        batchWindow_->placedCrystals(crystalCount(drawn.Topology));
    if (!placed) {
        return std::nullopt;
    }
    crystalNames.clear();
    for (const MeasuredCrystal& crystal : *placed) {
        crystalNames.push_back(crystal.name);
    }
    try {
        return makeBenchCircuit(
            drawn, placed->empty() ? drawnDesign_->built : makeBuiltFilter(drawn, *placed),
            bench_->settings());
    } catch (const CommandError& refused) {
        dialogs_.warning(QString::fromStdString(refused.what()));
        return std::nullopt;
    }
}

void MainWindow::showBench() {
    std::vector<std::string> names;
    const std::optional<BenchCircuit> bench = benchCircuit(names);
    if (!bench) {
        return;
    }
    const DesignState drawn = drawnBenchState();
    const std::vector<double> frequencies = builtCurveFrequencies(drawn);
    const BenchResult result = solveBench(drawn, *bench, drawnDesign_->built, frequencies);
    CurveSeries amplitude;
    for (std::size_t i = 0; i < result.built.frequenciesHz.size(); ++i) {
        amplitude.x.push_back((result.built.frequenciesHz[i] - drawnDesign_->foHz) / 1000);
        amplitude.y.push_back(displayedLevel(result.built.levelsDb[i], result.built.figures,
                                             engine_->state.AbsoluteLevel));
    }
    Chart1->addExtraCurve(QStringLiteral("as built"), QPen(QColor(200, 30, 30), 2, Qt::DotLine),
                          std::move(amplitude), [](ChartQuantity) { return CurveSeries{}; });
    shownBench_ = std::make_shared<const BenchCircuit>(*bench);
    shownBenchSweep_ = {frequencies.front(), frequencies.back(), int(frequencies.size())};
    Memo1->show();
    WriteBenchReport(engine_->state, *Memo1, *Memo2, bench_->settings(), *bench, result,
                     localeDecimalSeparator());
    FRClick();
}

void MainWindow::exportBenchSheetPdf() {
    std::vector<std::string> names;
    const std::optional<BenchCircuit> bench = benchCircuit(names);
    if (!bench) {
        return;
    }
    const QString name = exportFileName(QString::fromUtf8(kPdfFileFilters), QStringLiteral("pdf"));
    if (name.isEmpty()) {
        return;
    }
    const DesignState drawn = drawnBenchState();
    const BenchResult result =
        solveBench(drawn, *bench, drawnDesign_->built, builtCurveFrequencies(drawn));
    const auto document =
        buildSheetDocument(drawn, bench_->settings(), *bench, result, names,
                           schematicImage(drawn.Topology, 1).toImage(), localeDecimalSeparator());
    runCommand([&] { writeBuildSheetPdf(*document, name); });
}

void MainWindow::exportBenchSheetCsv() {
    std::vector<std::string> names;
    const std::optional<BenchCircuit> bench = benchCircuit(names);
    if (!bench) {
        return;
    }
    const QString name =
        exportFileName(QString::fromUtf8(texts::kCsvFileFilters), QStringLiteral("csv"));
    if (!name.isEmpty()) {
        runCommand([&] {
            writeFileAtOnce(name.toStdString(), writeBuildSheetCsv(*bench, names),
                            "the build sheet");
        });
    }
}

}  // namespace trellon
