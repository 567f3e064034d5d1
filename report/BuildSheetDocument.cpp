#include "BuildSheetDocument.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPainterPath>
#include <QPdfWriter>
#include <QTextCursor>
#include <QUrl>
#include <algorithm>
#include <cmath>

#include "AtOnceWriter.h"
#include "BuiltFilter.h"
#include "CurveFigures.h"
#include "NumberText.h"
#include "texts/BenchTexts.h"

namespace trellon {

namespace {

constexpr double kDepthShownDb = 40;  // below the least attenuation of the ideal curve

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
    for (const BuiltPart& part : bench.circuit.parts) {
        const QString name = QString::fromStdString(part.name);
        if (part.kind == BuiltPartKind::Crystal) {
            const QString batchName =
                crystal < crystalNames.size() ? escaped(crystalNames[crystal]) : "";
            ++crystal;
            html += row({name, QString::fromUtf8(texts::kCrystalPart), batchName, "", ""});
        } else if (capacitor < bench.capacitors.size() &&
                   bench.capacitors[capacitor].name == part.name) {
            const BenchCapacitor& c = bench.capacitors[capacitor++];
            html += row({name, number(c.designPf, 4, separator), capacitorFit(c, separator),
                         number(c.strayPf, 4, separator), QString::fromUtf8(texts::kPicofarad)});
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

QPointF plotPoint(const QRectF& area, double xMin, double xMax, double yTop, double yBottom,
                  double x, double y) {
    return {area.left() + (x - xMin) / (xMax - xMin) * area.width(),
            area.top() + (y - yTop) / (yBottom - yTop) * area.height()};
}

QPainterPath curvePath(const QRectF& area, const std::vector<double>& detuningKhz,
                       const std::vector<double>& attenuation, double xMin, double xMax,
                       double yTop, double yBottom) {
    QPainterPath path;
    bool started = false;
    for (std::size_t i = 0; i < detuningKhz.size(); ++i) {
        if (!std::isfinite(attenuation[i])) {
            started = false;
            continue;
        }
        const double y = std::clamp(attenuation[i], yTop, yBottom);
        const QPointF p = plotPoint(area, xMin, xMax, yTop, yBottom, detuningKhz[i], y);
        if (started) {
            path.lineTo(p);
        } else {
            path.moveTo(p);
            started = true;
        }
    }
    return path;
}

// A tick step of 1, 2 or 5 times a power of ten that puts four to ten ticks on `span`: a narrow
// CW filter spans well under 1 kHz.
double tickStep(double span) {
    const double wanted = span / 6;
    const double decade = std::pow(10.0, std::floor(std::log10(wanted)));
    for (const double multiple : {1.0, 2.0, 5.0}) {
        if (multiple * decade >= wanted) {
            return multiple * decade;
        }
    }
    return 10 * decade;
}

}  // namespace

QImage benchResponsePicture(const CalculatedDesign& design, const BenchResult& result, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    const std::vector<double>& f = result.built.frequenciesHz;
    if (f.size() < 2) {
        return image;
    }
    std::vector<double> detuning, builtA, idealA;
    for (std::size_t i = 0; i < f.size(); ++i) {
        detuning.push_back((f[i] - design.foHz()) / 1000);
        builtA.push_back(attenuationOf(result.built.levelsDb[i]));
        idealA.push_back(attenuationOf(result.idealLevelsDb[i]));
    }
    const double xMin = detuning.front();
    const double xMax = detuning.back();
    const double yTop = std::floor(std::min(result.ideal.amin, result.built.figures.amin));
    const double yBottom = yTop + kDepthShownDb;

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area(60, 20, size.width() - 80, size.height() - 60);
    painter.setPen(QPen(QColor(220, 220, 220), 1));
    for (double y = std::ceil(yTop / 10) * 10; y <= yBottom; y += 10) {
        const QPointF a = plotPoint(area, xMin, xMax, yTop, yBottom, xMin, y);
        painter.drawLine(a, QPointF(area.right(), a.y()));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, a.y() - 8, 55, 16), Qt::AlignRight | Qt::AlignVCenter,
                         number(y, 4, '.'));
        painter.setPen(QPen(QColor(220, 220, 220), 1));
    }
    const double xStep = tickStep(xMax - xMin);
    for (double k = std::ceil(xMin / xStep); k * xStep <= xMax; k += 1) {
        const double x = k * xStep;
        const QPointF a = plotPoint(area, xMin, xMax, yTop, yBottom, x, yTop);
        painter.drawLine(a, QPointF(a.x(), area.bottom()));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(a.x() - 30, area.bottom() + 4, 60, 16), Qt::AlignCenter,
                         number(x, 4, '.'));
        painter.setPen(QPen(QColor(220, 220, 220), 1));
    }
    painter.setPen(Qt::black);
    painter.drawRect(area);
    painter.drawText(QRectF(area.left(), area.bottom() + 22, area.width(), 16), Qt::AlignCenter,
                     QString::fromUtf8(texts::kSheetAxes));
    painter.setPen(QPen(QColor(120, 120, 120), 1.5, Qt::DashLine));
    painter.drawPath(curvePath(area, detuning, idealA, xMin, xMax, yTop, yBottom));
    painter.setPen(QPen(QColor(200, 30, 30), 2));
    painter.drawPath(curvePath(area, detuning, builtA, xMin, xMax, yTop, yBottom));
    painter.drawText(QRectF(area.left() + 8, area.top() + 4, 300, 16), Qt::AlignLeft,
                     QString::fromUtf8(texts::kSheetLegend));
    return image;
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
