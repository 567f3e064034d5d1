// The main window's exports of the chart, its curves and the design.
#include <QCoreApplication>
#include <QFileInfo>
#include <cmath>
#include <sstream>

#include "AtOnceWriter.h"
#include "BuiltCircuit.h"
#include "CalculatedDesign.h"
#include "ChartExport.h"
#include "ChartView.h"
#include "CurveCsv.h"
#include "CurveRecord.h"
#include "Dialogs.h"
#include "LocaleSeparator.h"
#include "MainWindow.h"
#include "SpiceExport.h"
#include "TerminalResponse.h"
#include "Touchstone.h"
#include "TwoPortExport.h"
#include "WideSpan.h"
#include "texts/ExportTexts.h"

namespace trellon {

namespace {

const char* valueHeader(ChartQuantity quantity) {
    switch (quantity) {
        case ChartQuantity::GroupDelay:
            return "group_delay_us";
        case ChartQuantity::ReturnLoss:
            return "return_loss_db";
        case ChartQuantity::Amplitude:
        case ChartQuantity::WideSpan:
            break;
    }
    return "level_db";
}

ChartImageFormat formatOf(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QStringLiteral("svg")) {
        return ChartImageFormat::Svg;
    }
    if (suffix == QStringLiteral("pdf")) {
        return ChartImageFormat::Pdf;
    }
    return ChartImageFormat::Png;
}

}  // namespace

QString MainWindow::recentFolder() const {
    return recentFolder_.isEmpty() ? QCoreApplication::applicationDirPath() : recentFolder_;
}

QString MainWindow::rememberFolder(const QString& chosen) {
    if (!chosen.isEmpty()) {
        recentFolder_ = QFileInfo(chosen).absolutePath();
    }
    return chosen;
}

QString MainWindow::exportFileName(const QString& filters, const QString& suffix) {
    QString name = rememberFolder(dialogs_.saveFileName(recentFolder(), filters));
    if (!name.isEmpty() && QFileInfo(name).suffix().isEmpty()) {
        name += '.' + suffix;
    }
    return name;
}

void MainWindow::editExportSettings(const std::function<void(ProjectExport&)>& edit) {
    ProjectExport settings = document_.exportSettings().value_or(ProjectExport{});
    edit(settings);
    document_.setExportSettings(settings);
}

void MainWindow::ExportChartClick() {
    // The size last chosen, or the chart's own before the first choice.
    const std::optional<ChartImageSize> size = dialogs_.chartImageSize(chartImageSize_.value_or(
        ChartImageSize{double(Chart1->width()), double(Chart1->height()), false}));
    if (!size) {
        return;
    }
    chartImageSize_ = size;
    QString name = rememberFolder(
        dialogs_.saveFileName(recentFolder(), QString::fromUtf8(texts::kChartFileFilters)));
    if (name.isEmpty()) {
        return;
    }
    const QString suffix = QFileInfo(name).suffix().toLower();
    if (suffix != QStringLiteral("png") && suffix != QStringLiteral("svg") &&
        suffix != QStringLiteral("pdf")) {
        name += QStringLiteral(".png");
    }
    const QSize pixels =
        size->millimetres
            ? QSize(millimetresToPixels(size->width), millimetresToPixels(size->height))
            : QSize(int(std::lround(size->width)), int(std::lround(size->height)));
    const ChartImageFormat format = formatOf(name);
    editExportSettings([&](ProjectExport& kept) {
        kept.imageSizePx = ImageSizePx{pixels.width(), pixels.height()};
        kept.imageFormat = format == ChartImageFormat::Svg   ? ImageFormat::Svg
                           : format == ChartImageFormat::Pdf ? ImageFormat::Pdf
                                                             : ImageFormat::Png;
    });
    runCommand([&] {
        Chart1->hideReadout();
        const std::shared_ptr<const CalculatedDesign> design = calculatedDesign();
        const QString caption =
            design ? QString::fromStdString(designCaption(*design, localeDecimalSeparator()))
                   : QString();
        const QByteArray image = renderChart(*Chart1, formatOf(name), pixels, caption);
        writeFileAtOnce(name.toStdString(), std::string_view(image.constData(), image.size()),
                        "the chart file");
    });
}

void MainWindow::ExportCurvesClick() {
    const std::vector<DrawnCurve> drawn = Chart1->drawnCurves();
    if (drawn.empty()) {
        dialogs_.warning(QString::fromUtf8(texts::kNoCurvesToExport));
        return;
    }
    const std::optional<CsvStyle> style = dialogs_.csvStyle();
    if (!style) {
        return;
    }
    editExportSettings([&](ProjectExport& kept) { kept.csvStyle = *style; });
    const QString name =
        exportFileName(QString::fromUtf8(texts::kCsvFileFilters), QStringLiteral("csv"));
    if (name.isEmpty()) {
        return;
    }
    std::vector<CurveTable> tables;
    for (const DrawnCurve& curve : drawn) {
        tables.push_back({curve.caption.toStdString(), curve.series->x, curve.series->y});
    }
    runCommand([&] {
        writeFileAtOnce(name.toStdString(),
                        writeCurveCsv(tables, valueHeader(Chart1->quantity()), *style),
                        "the curve file");
    });
}

void MainWindow::ExportSpiceClick() {
    if (!drawnCurve_) {
        dialogs_.warning(QString::fromUtf8(texts::kNoDesignToExport));
        return;
    }
    const QString name =
        exportFileName(QString::fromUtf8(texts::kSpiceFileFilters), QStringLiteral("cir"));
    if (name.isEmpty()) {
        return;
    }
    // The deck sweeps the traced band at the trace's own 1 Hz steps.
    const CurveRecord& design = *drawnCurve_;
    const SpiceSweep sweep{design.bandLowHz, design.bandHighHz,
                           int(std::lround(design.bandHighHz - design.bandLowHz)) + 1};
    std::ostringstream deck;
    if (shownBench_) {
        // The filter at the bench, with its matching networks, over the span its curve is drawn
        // on.
        auto bench = std::make_unique<Netlist>();
        buildNetlist(shownBench_->circuit, *bench);
        writeSpiceDeck(*bench, SpiceDeckCircuit::AsBuilt, shownBenchSweep_, deck);
    } else if (shownBuilt_) {
        // The filter built with measured crystals, over the span its curve is drawn on.
        auto built = std::make_unique<Netlist>();
        buildNetlist(*shownBuilt_, *built);
        writeSpiceDeck(*built, SpiceDeckCircuit::AsBuilt, shownBuiltSweep_, deck);
    } else {
        writeSpiceDeck(design.model, SpiceDeckCircuit::CalculationModel, sweep, deck);
    }
    runCommand([&] { writeFileAtOnce(name.toStdString(), deck.str(), "the SPICE deck"); });
}

void MainWindow::ExportTouchstoneClick() {
    if (!drawnCurve_) {
        dialogs_.warning(QString::fromUtf8(texts::kNoDesignToExport));
        return;
    }
    const std::optional<TouchstoneFormat> format = dialogs_.touchstoneFormat(
        document_.exportSettings().value_or(ProjectExport{}).touchstoneFormat);
    if (!format) {
        return;
    }
    editExportSettings([&](ProjectExport& kept) { kept.touchstoneFormat = *format; });
    const QString name =
        exportFileName(QString::fromUtf8(texts::kTouchstoneFileFilters), QStringLiteral("s2p"));
    if (name.isEmpty()) {
        return;
    }
    runCommand([&] {
        const CurveRecord& design = *drawnCurve_;
        // Over the wide span while the chart shows it, over the traced band otherwise.
        const std::vector<double> frequencies = Chart1->quantity() == ChartQuantity::WideSpan
                                                    ? spanFrequencies(design, *wideSpan_)
                                                    : design.frequencyHz;
        editExportSettings([&](ProjectExport& kept) {
            kept.touchstoneRange = Chart1->quantity() == ChartQuantity::WideSpan
                                       ? TouchstoneRange::WideSpan
                                       : TouchstoneRange::Band;
        });
        // While its curve is shown, the filter at the bench, or with the placed crystals.
        const std::string file =
            writeTouchstone(shownBench_   ? benchTwoPort(*shownBench_, frequencies)
                            : shownBuilt_ ? twoPortData(sParameters(*shownBuilt_, frequencies))
                                          : twoPortData(sParameters(design.built, frequencies)),
                            *format);
        writeFileAtOnce(name.toStdString(), file, "the Touchstone file");
    });
}

}  // namespace trellon
