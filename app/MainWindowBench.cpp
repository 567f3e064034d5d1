// The window that takes the design to the bench, and what its buttons do in the main window.
#include <QPen>
#include <QScopedValueRollback>

#include "AtOnceWriter.h"
#include "BenchPartsList.h"
#include "BenchReport.h"
#include "BenchWindow.h"
#include "BuildSheetCsv.h"
#include "BuildSheetDocument.h"
#include "BuiltCurveSource.h"
#include "Catalogue.h"
#include "ChartView.h"
#include "CommandError.h"
#include "CrystalBatchWindow.h"
#include "CurveRecord.h"
#include "Dialogs.h"
#include "DocumentCircuit.h"
#include "LocaleSeparator.h"
#include "MainWindow.h"
#include "MemoView.h"
#include "SchematicImage.h"
#include "ToolWindowFrame.h"
#include "texts/BenchTexts.h"
#include "texts/CrystalWindowTexts.h"
#include "texts/ExportTexts.h"

namespace trellon {

namespace {

// The parts list of the filter as the builder solders it (the document's placed crystals when
// they make a placement for the calculated design, and its tuning); why there is none otherwise,
// without asking anything. The bench window hands the document its settings as they change.
QStringList partsListOf(const ProjectDocument& document) {
    const std::shared_ptr<const CalculatedDesign>& design = document.calculatedDesign();
    if (!design) {
        return {QString::fromUtf8(texts::kNoCalculatedDesign)};
    }
    std::vector<std::string> names;
    if (document.placement().size() == static_cast<std::size_t>(design->crystalCount()) &&
        document.placedCrystals()) {
        names = document.placement();
    }
    try {
        const std::optional<BenchCircuit> bench = documentCircuit(document);
        return benchPartsList(*bench, names, fittingSettings(document).strayPf,
                              localeDecimalSeparator());
    } catch (const CommandError& refused) {
        return {QString::fromStdString(refused.what())};
    }
}

}  // namespace

BenchWindow& MainWindow::benchWindow() {
    if (!bench_) {
        // The new window hands the document its settings before bench_ holds it.
        const QScopedValueRollback editing(editingDocument_, true);
        bench_ = std::make_unique<BenchWindow>(
            document_,
            BenchHooks{
                .show = [this] { runCommand([this] { showBench(); }); },
                .exportPdf = [this] { runCommand([this] { exportBenchSheetPdf(); }); },
                .exportCsv = [this] { runCommand([this] { exportBenchSheetCsv(); }); },
                .partsList = [this] { return partsListOf(document_); },
                .retrim = {.apply =
                               [this](const CircuitTuning& tuning) {
                                   document_.setTuning(tuning.empty() ? std::nullopt
                                                                      : std::optional(tuning));
                               },
                           .logBlock =
                               [this](const std::vector<std::string>& lines) { logBlock(lines); }},
                .decimalSeparator = localeDecimalSeparator()},
            this);
    }
    return *bench_;
}

void MainWindow::BenchClick() {
    benchWindow();
    bringForward(*bench_, this);
}

std::optional<BenchCircuit> MainWindow::benchCircuit(std::vector<std::string>& crystalNames) {
    if (!document_.calculatedDesign()) {
        dialogs_.warning(QString::fromUtf8(texts::kNoDesignToExport));
        return std::nullopt;
    }
    const CalculatedDesign& design = *document_.calculatedDesign();
    const std::optional<std::vector<MeasuredCrystal>> placed =
        batchWindow_->placedCrystals(design.crystalCount());
    if (!placed) {
        return std::nullopt;
    }
    crystalNames.clear();
    for (const MeasuredCrystal& crystal : *placed) {
        crystalNames.push_back(crystal.name);
    }
    try {
        return documentCircuit(document_);
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
    const CalculatedDesign& design = *document_.calculatedDesign();
    const std::vector<double> frequencies = builtCurveFrequencies(design.band);
    const BenchResult result = solveBench(design, *bench, frequencies);
    CurveSeries amplitude;
    for (std::size_t i = 0; i < result.built.frequenciesHz.size(); ++i) {
        amplitude.x.push_back((result.built.frequenciesHz[i] - design.foHz()) / 1000);
        amplitude.y.push_back(displayedLevel(result.built.levelsDb[i], result.built.figures,
                                             engine_->state.AbsoluteLevel));
    }
    const QString caption = QString::fromUtf8(texts::kAsBuiltCurve);
    Chart1->removeExtraCurves({caption});
    shownBench_ = std::make_shared<const BenchCircuit>(*bench);
    Chart1->addExtraCurve(
        caption, QPen(QColor(200, 30, 30), 2, Qt::DotLine), std::move(amplitude),
        builtCurveSource(std::shared_ptr<const BuiltCircuit>(shownBench_, &shownBench_->circuit),
                         result.built.figures, engine_->state.AbsoluteLevel, drawnCurve_,
                         wideSpan_));
    shownBenchSweep_ = {frequencies.front(), frequencies.back(), int(frequencies.size())};
    showReportBlock(ShownBlock::Bench, benchReportLines(design, bench_->settings(), *bench, result,
                                                        localeDecimalSeparator()));
    FRClick();
}

void MainWindow::exportBenchSheetPdf() {
    std::vector<std::string> names;
    const std::optional<BenchCircuit> bench = benchCircuit(names);
    if (!bench) {
        return;
    }
    const QString name =
        exportFileName(QString::fromUtf8(texts::kPdfFileFilters), QStringLiteral("pdf"));
    if (name.isEmpty()) {
        return;
    }
    const CalculatedDesign& design = *document_.calculatedDesign();
    const BenchResult result = solveBench(design, *bench, builtCurveFrequencies(design.band));
    const auto document =
        buildSheetDocument(design, bench_->settings(), *bench, result, names,
                           schematicImage(design.topology, 1).toImage(), localeDecimalSeparator());
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
