// The main window's project file: the design as typed, the crystal batch and its placement, the
// spreads and targets, the chart's quantity and span, the export choices and the measured
// response, kept together in one file beside the design files. The document holds them; the
// fields typed in the windows become the document's when the project is saved.
#include <QCoreApplication>
#include <QDir>
#include <QScopedValueRollback>

#include "AtOnceWriter.h"
#include "BenchWindow.h"
#include "ChartView.h"
#include "CommandError.h"
#include "CrystalBatchWindow.h"
#include "Dialogs.h"
#include "FileBytes.h"
#include "MainWindow.h"
#include "MonteCarloWindow.h"
#include "ProjectDocument.h"
#include "ReadLimits.h"
#include "WideSpan.h"
#include "texts/CrystalWindowTexts.h"
#include "texts/ExportTexts.h"

namespace trellon {

bool MainWindow::commitToDocument() {
    if (!batchWindow_->checkedBatch()) {
        return false;
    }
    // A file whose placement names crystals the batch lacks could not be opened again.
    if (document_.placementOutsideBatch()) {
        dialogs_.warning(QString::fromUtf8(texts::kPlacementOutsideBatch));
        return false;
    }
    if (!monteCarloWindow_->projectSettings()) {
        return false;
    }
    const QScopedValueRollback editing(editingDocument_, true);
    const DesignInputs typed = designInputs();
    document_.setDesign({typed.Fo, typed.Ld, typed.Cs, typed.Rd, typed.dF, typed.level, typed.Ccor,
                         typed.Topology, typed.Response});
    ProjectChart chart;
    chart.quantity = Chart1->quantity();
    if (wideSpan_->halfWidthHz > 0) {
        chart.spanKhz = wideSpan_->halfWidthHz / 1000;
    }
    chart.spanPoints = wideSpan_->points;
    document_.setView(chart);
    return true;
}

void MainWindow::SaveProjectClick() {
    if (!commitToDocument()) {
        return;
    }
    const QString name =
        exportFileName(QString::fromUtf8(texts::kProjectFileFilters), QStringLiteral("json"));
    if (name.isEmpty()) {
        return;
    }
    runCommand([&] {
        std::string bytes = document_.fileBytes();
        writeFileAtOnce(name.toStdString(), bytes, "the project file");
        document_.saved(std::move(bytes));
    });
}

// The whole file is read and checked before anything changes.
void MainWindow::OpenProjectClick() {
    const QString path = rememberFolder(dialogs_.openFileName(
        recentFolder(), QString::fromUtf8(texts::kProjectFileFilters), QStringLiteral("json")));
    if (path.isEmpty()) {
        return;
    }
    runCommand([&] {
        const std::string shownPath = QDir::toNativeSeparators(path).toStdString();
        const std::string bytes = readFileBytes(
            {.path = shownPath, .what = "the project file", .limitBytes = kProjectFileLimit});
        LoadedProject loaded = readProjectFile(bytes, shownPath);
        const std::optional<ProjectExport>& kept = loaded.project.exportSettings;
        chartImageSize_.reset();
        if (kept && kept->imageSizePx) {
            chartImageSize_ = ChartImageSize{double(kept->imageSizePx->width),
                                             double(kept->imageSizePx->height), false};
        }
        // Its tuning was made on the file's design, which is not calculated yet.
        tuningAwaitsDesign_ = loaded.project.tuning.has_value();
        document_.open(std::move(loaded));
        if (document_.anyOrder()) {
            designAnyOrderFrom(*document_.anyOrder());
        }
    });
}

// As with a design file, nothing is calculated when a project is opened: the fields, the batch
// and the settings are restored, and a measured response is drawn again. The tool windows follow
// the document themselves; the bench window is made for a project with bench settings.
void MainWindow::subscribeToDocument() {
    document_.subscribe(DocumentAspect::Design, [this] {
        if (!editingDocument_) {
            const ProjectDesign& d = document_.design();
            applyDesign({.Fo = d.Fo,
                         .Ld = d.Ld,
                         .Cs = d.Cs,
                         .Rd = d.Rd,
                         .dF = d.dF,
                         .level = d.level,
                         .Ccor = d.Ccor,
                         .Topology = d.Topology,
                         .Response = d.Response});
        }
    });
    document_.subscribe(DocumentAspect::Calculation, [this] {
        dropDesignResults();
        followCalculationWithTuning();
    });
    for (DocumentAspect aspect :
         {DocumentAspect::Batch, DocumentAspect::Placement, DocumentAspect::Bench}) {
        document_.subscribe(aspect, [this] { keepTuningWithinCircuit(); });
    }
    document_.subscribe(DocumentAspect::Tuning, [this] { dropBenchCurve(); });
    document_.subscribe(DocumentAspect::Bench, [this] {
        if (!editingDocument_ && document_.bench() && !bench_) {
            benchWindow();
        }
    });
    document_.subscribe(DocumentAspect::View, [this] {
        if (!editingDocument_ && document_.view()) {
            showView(*document_.view());
        }
    });
    document_.subscribe(DocumentAspect::Measured, [this] {
        if (!editingDocument_ && document_.measured()) {
            const ProjectMeasured& measured = *document_.measured();
            showMeasured(measured.fileName, std::make_shared<const TwoPortData>(measured.data));
        }
    });
}

void MainWindow::showView(const ProjectChart& view) {
    wideSpan_->halfWidthHz = view.spanKhz ? *view.spanKhz * 1000 : 0;
    wideSpan_->points = view.spanPoints;
    Chart1->forgetQuantity(ChartQuantity::WideSpan);
    const std::pair<QAction*, ChartQuantity> items[] = {
        {menu_.ViewAmplitude, ChartQuantity::Amplitude},
        {menu_.ViewGroupDelay, ChartQuantity::GroupDelay},
        {menu_.ViewReturnLoss, ChartQuantity::ReturnLoss},
        {menu_.ViewWideSpan, ChartQuantity::WideSpan}};
    for (const auto& [item, quantity] : items) {
        if (quantity == view.quantity) {
            item->setChecked(true);
            chooseQuantity(quantity);
        }
    }
}

}  // namespace trellon
