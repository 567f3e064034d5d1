#include "BuildSheetDocument.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextCursor>
#include <QUrl>
#include <algorithm>
#include <cmath>

#include "AtOnceWriter.h"
#include "BuiltFilter.h"
#include "ChartView.h"
#include "CircuitTuning.h"
#include "CrystalPositions.h"
#include "CurveFigures.h"
#include "NumberText.h"
#include "texts/BenchTexts.h"

namespace trellon {

namespace {

QString number(double value, int precision, char separator) {
    return QString::fromStdString(FormatGeneral(value, precision, separator));
}

QString escaped(const std::string& text) {
    return QString::fromStdString(text).toHtmlEscaped();
}

QString row(const QStringList& cells) {
    QString html = "<tr>";
    for (const QString& cell : cells) {
        html += "<td>" + cell + "</td>";
    }
    return html + "</tr>";
}

QString capacitorFit(const BenchCapacitor& c, char separator) {
    if (c.standard && c.standard->second) {
        return number(c.standard->first, 4, separator) + " || " +
               number(*c.standard->second, 4, separator);
    }
    return number(c.fittedPf, 4, separator) +
           (c.keptAtDesign ? QString::fromUtf8(texts::kKeptAtDesign) : QString());
}

// The design value, and for a part that stands for the capacitors of one node, theirs below it.
QString capacitorDesign(const BenchCapacitor& c, char separator) {
    QString cell = number(c.designPf, 4, separator);
    for (std::size_t i = 0; i < c.merged.size(); ++i) {
        cell += (i == 0 ? "<br><small>= " : " + ") + escaped(c.merged[i].name) + " " +
                number(c.merged[i].designPf, 4, separator);
    }
    return c.merged.empty() ? cell : cell + "</small>";
}

QString partsTable(const BenchCircuit& bench, std::span<const std::string> crystalNames,
                   char separator) {
    QString html = "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\"><tr>";
    for (const char* head : texts::kPartColumns) {
        html += "<th>" + QString::fromUtf8(head) + "</th>";
    }
    html += "</tr>";
    std::size_t capacitor = 0;
    std::size_t crystal = 0;
    const MatchingNetwork& n = bench.network;
    const QString ratio = number(n.turnsRatio, 4, separator);
    if (n.kind == MatchKind::Transformer) {
        html += row({"Tin", ratio, "", "", QString::fromUtf8(texts::kTurnsRatio)});
    }
    for (std::size_t i = 0; i < bench.circuit.parts.size(); ++i) {
        const BuiltPart& part = bench.circuit.parts[i];
        const QString name = QString::fromStdString(part.name);
        if (part.kind == BuiltPartKind::Crystal) {
            for (const std::string& position : crystalPositionNames(part)) {
                const QString batchName =
                    crystal < crystalNames.size() ? escaped(crystalNames[crystal]) : "";
                ++crystal;
                html += row({QString::fromStdString(position),
                             QString::fromUtf8(texts::kCrystalPart), batchName, "", ""});
            }
        } else if (capacitor < bench.capacitors.size() &&
                   bench.capacitors[capacitor].name == part.name) {
            const BenchCapacitor& c = bench.capacitors[capacitor++];
            // A crystal's trimmer says whose it is where a capacitor has its design value.
            const std::optional<std::string> trimmed = trimmedCrystal(bench.circuit, i);
            const QString design = trimmed
                                       ? QString::fromUtf8(texts::kTrimmerOf).arg(escaped(*trimmed))
                                       : capacitorDesign(c, separator);
            html += row({name, design, capacitorFit(c, separator), number(c.strayPf, 4, separator),
                         QString::fromUtf8(texts::kPicofarad)});
        } else {
            const bool inductor = part.kind == BuiltPartKind::SeriesInductor ||
                                  part.kind == BuiltPartKind::ShuntInductor;
            html += row({name, number(part.value * (inductor ? 1e6 : 1e12), 4, separator),
                         QString::fromUtf8(texts::kWindOrTrim), "",
                         QString::fromUtf8(inductor ? texts::kMicrohenry : texts::kPicofarad)});
        }
    }
    if (n.kind == MatchKind::Transformer) {
        html += row({"Tout", ratio, "", "", QString::fromUtf8(texts::kTurnsRatio)});
    }
    return html + "</table>";
}

}  // namespace

// Drawn by the window's own chart, so that the sheet reads like the window: the whole range of
// both curves, nothing clipped at the frame.
void drawBenchResponse(ChartView& chart, const CalculatedDesign& design,
                       const BenchResult& result) {
    CurveSeries built, ideal;
    const std::vector<double>& f = result.built.frequenciesHz;
    for (std::size_t i = 0; i < f.size(); ++i) {
        const double detuning = (f[i] - design.foHz()) / 1000;
        built.x.push_back(detuning);
        built.y.push_back(-attenuationOf(result.built.levelsDb[i]));
        ideal.x.push_back(detuning);
        ideal.y.push_back(-attenuationOf(result.idealLevelsDb[i]));
    }
    chart.addExtraCurve(QString::fromUtf8(texts::kSheetIdealCurve),
                        QPen(QColor(120, 120, 120), 1.5, Qt::DashLine), std::move(ideal), nullptr);
    chart.addExtraCurve(QString::fromUtf8(texts::kSheetBuiltCurve), QPen(QColor(200, 30, 30), 2),
                        std::move(built), nullptr);
}

QImage benchResponsePicture(const CalculatedDesign& design, const BenchResult& result, QSize size) {
    ChartView chart;
    chart.resize(size);
    drawBenchResponse(chart, design, result);
    chart.replot();
    return chart.toPixmap(size.width(), size.height()).toImage();
}

std::unique_ptr<QTextDocument> buildSheetDocument(const CalculatedDesign& design,
                                                  const BenchSettings& settings,
                                                  const BenchCircuit& bench,
                                                  const BenchResult& result,
                                                  std::span<const std::string> crystalNames,
                                                  const QImage& schematic, char separator) {
    auto document = std::make_unique<QTextDocument>();
    const BenchReportLines lines = benchReportLines(design, settings, bench, result, separator);
    document->addResource(QTextDocument::ImageResource, QUrl("trellon://schematic"), schematic);
    document->addResource(QTextDocument::ImageResource, QUrl("trellon://response"),
                          benchResponsePicture(design, result, QSize(900, 420)));
    QString html = "<h2>" + QString::fromUtf8(texts::kBuildSheetHeading) + escaped(design.name) +
                   number(design.passBandHz, 15, separator) + "</h2>";
    html += "<p>Fo=" + number(design.foKhz, 10, separator) +
            " kHz;  Rin=Rout=" + number(bench.filterOhm, 4, separator) + " Ohm</p>";
    html += "<p>" + escaped(lines.log.front()) + "</p>";
    html += partsTable(bench, crystalNames, separator);
    if (!schematic.isNull()) {
        html += "<p><img src=\"trellon://schematic\" width=\"600\"></p>";
    }
    // The log's lines are wider than the page: they wrap rather than run off its edge.
    html +=
        "<p><img src=\"trellon://response\" width=\"600\"></p>"
        "<pre style=\"white-space: pre-wrap\">";
    // The figures and the networks as the log shows them, after the settings and values.
    for (std::size_t i = 1; i + 1 < lines.log.size(); ++i) {
        html += escaped(lines.log[i]) + "\n";
    }
    html += "</pre>";
    document->setHtml(html);
    return document;
}

void writeBuildSheetPdf(QTextDocument& document, const QString& path) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setResolution(300);
        pdf.setTitle(QString::fromUtf8(texts::kBuildSheetTitle));
        pdf.setCreator("Trellon");
        document.print(&pdf);
    }
    writeFileAtOnce(
        path.toStdString(),
        std::string_view(buffer.data().constData(), static_cast<std::size_t>(buffer.size())),
        "the build sheet");
}

}  // namespace trellon
