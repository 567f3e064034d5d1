// The main window's project file: the design as typed, the crystal batch and its placement, the
// spreads and targets, the chart's quantity and span, the export choices and the measured
// response, kept together in one file beside the design files.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <algorithm>

#include "AtOnceWriter.h"
#include "BenchWindow.h"
#include "ChartView.h"
#include "CommandError.h"
#include "CrystalBatchWindow.h"
#include "CrystalTexts.h"
#include "Dialogs.h"
#include "MainWindow.h"
#include "MonteCarloWindow.h"
#include "WideSpan.h"

namespace trellon {

namespace {

constexpr const char* kProjectFileFilters = "Trellon project (*.json);;All files (*)";

}  // namespace

std::optional<Project> MainWindow::currentProject() {
    const std::optional<CrystalBatch> batch = batchWindow_->checkedBatch();
    if (!batch) {
        return std::nullopt;
    }
    // A file whose placement names crystals the batch lacks could not be opened again.
    for (const std::string& name : batchWindow_->placement()) {
        if (std::none_of(batch->crystals.begin(), batch->crystals.end(),
                         [&](const MeasuredCrystal& c) { return c.name == name; })) {
            dialogs_.warning(QString::fromUtf8(texts::kPlacementOutsideBatch));
            return std::nullopt;
        }
    }
    const auto settings = monteCarloWindow_->projectSettings();
    if (!settings) {
        return std::nullopt;
    }
    const DesignInputs typed = designInputs();
    Project project = project_;  // keeps the groups this window does not edit
    project.design = {typed.Fo,    typed.Ld,   typed.Cs,       typed.Rd,      typed.dF,
                      typed.level, typed.Ccor, typed.Topology, typed.Response};
    project.batch = *batch;
    project.placement = batchWindow_->placement();
    project.spreads = settings->first;
    project.targets = settings->second;
    ProjectChart chart;
    chart.quantity = Chart1->quantity();
    if (wideSpan_->halfWidthHz > 0) {
        chart.spanKhz = wideSpan_->halfWidthHz / 1000;
    }
    chart.spanPoints = wideSpan_->points;
    project.chart = chart;
    project.exportSettings = exportSettings_;
    project.measured = measured_;
    // The bench choices once its window was made; an opened project's stay as they came.
    if (bench_) {
        project.bench = bench_->settings();
    }
    return project;
}

void MainWindow::SaveProjectClick() {
    const std::optional<Project> project = currentProject();
    if (!project) {
        return;
    }
    const QString name =
        exportFileName(QString::fromUtf8(kProjectFileFilters), QStringLiteral("json"));
    if (name.isEmpty()) {
        return;
    }
    runCommand([&] {
        std::string bytes = writeProjectFile(*project, projectDocument_);
        writeFileAtOnce(name.toStdString(), bytes, "the project file");
        project_ = *project;
        projectDocument_ = std::move(bytes);
    });
}

// The whole file is read and checked before anything changes.
void MainWindow::OpenProjectClick() {
    const QString path =
        dialogs_.openFileName(QCoreApplication::applicationDirPath(),
                              QString::fromUtf8(kProjectFileFilters), QStringLiteral("json"));
    if (path.isEmpty()) {
        return;
    }
    runCommand([&] {
        const std::string shownPath = QDir::toNativeSeparators(path).toStdString();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            throw CommandError("Cannot open the project file '" + shownPath +
                               "': " + file.errorString().toStdString());
        }
        const QByteArray bytes = file.readAll();
        LoadedProject loaded = readProjectFile(
            std::string_view(bytes.constData(), std::size_t(bytes.size())), shownPath);
        applyProject(loaded.project);
        project_ = std::move(loaded.project);
        projectDocument_ = std::move(loaded.document);
    });
}

// As with a design file, nothing is calculated: the fields, the batch and the settings are
// restored, and a measured response is drawn again.
void MainWindow::applyProject(const Project& project) {
    const ProjectDesign& d = project.design;
    applyDesign({.Fo = d.Fo,
                 .Ld = d.Ld,
                 .Cs = d.Cs,
                 .Rd = d.Rd,
                 .dF = d.dF,
                 .level = d.level,
                 .Ccor = d.Ccor,
                 .Topology = d.Topology,
                 .Response = d.Response});
    batchWindow_->setBatch(project.batch);
    batchWindow_->setPlacement(project.placement);
    monteCarloWindow_->setSettings(project.spreads, project.targets);
    if (project.bench || bench_) {
        benchWindow().setSettings(project.bench.value_or(BenchSettings{}));
    }
    exportSettings_ = project.exportSettings;
    exportSizeFromProject_ = project.exportSettings.has_value();
    if (project.chart) {
        wideSpan_->halfWidthHz = project.chart->spanKhz ? *project.chart->spanKhz * 1000 : 0;
        wideSpan_->points = project.chart->spanPoints;
        Chart1->forgetQuantity(ChartQuantity::WideSpan);
        const std::pair<QAction*, ChartQuantity> items[] = {
            {menu_.ViewAmplitude, ChartQuantity::Amplitude},
            {menu_.ViewGroupDelay, ChartQuantity::GroupDelay},
            {menu_.ViewReturnLoss, ChartQuantity::ReturnLoss},
            {menu_.ViewWideSpan, ChartQuantity::WideSpan}};
        for (const auto& [item, quantity] : items) {
            if (quantity == project.chart->quantity) {
                item->setChecked(true);
                chooseQuantity(quantity);
            }
        }
    }
    if (project.measured) {
        showMeasured(project.measured->fileName,
                     std::make_shared<const TwoPortData>(project.measured->data));
    }
}

}  // namespace trellon
