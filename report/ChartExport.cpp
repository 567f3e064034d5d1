#include "ChartExport.h"

#include <qcustomplot.h>
#include <QBuffer>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>

namespace trellon {

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kPointsPerInch = 72;

// Draws the chart as vectors onto a device whose logical size is `pixels`.
void drawVectors(QCustomPlot& plot, QPaintDevice& device, QSize pixels) {
    QCPPainter painter;
    painter.begin(&device);
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    painter.setWindow(0, 0, pixels.width(), pixels.height());
    plot.toPainter(&painter, pixels.width(), pixels.height());
    painter.end();
}

// Puts a caption row above the plot for as long as it lives.
class CaptionRow {
public:
    CaptionRow(QCustomPlot& plot, const QString& caption) : plot_(plot) {
        if (caption.isEmpty()) {
            return;
        }
        plot_.plotLayout()->insertRow(0);
        plot_.plotLayout()->addElement(0, 0, new QCPTextElement(&plot_, caption));
        added_ = true;
    }
    ~CaptionRow() {
        if (added_) {
            plot_.plotLayout()->removeAt(0);
            plot_.plotLayout()->simplify();
        }
    }
    CaptionRow(const CaptionRow&) = delete;
    CaptionRow& operator=(const CaptionRow&) = delete;

private:
    QCustomPlot& plot_;
    bool added_ = false;
};

}  // namespace

int millimetresToPixels(double millimetres) {
    return static_cast<int>(std::lround(millimetres / kMillimetresPerInch * kExportPixelsPerInch));
}

QByteArray renderChart(QCustomPlot& plot, ChartImageFormat format, QSize pixels,
                       const QString& caption) {
    const CaptionRow captionRow(plot, caption);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    switch (format) {
        case ChartImageFormat::Png:
            plot.toPixmap(pixels.width(), pixels.height()).toImage().save(&buffer, "PNG");
            break;
        case ChartImageFormat::Svg: {
            QSvgGenerator svg;
            svg.setOutputDevice(&buffer);
            svg.setSize(pixels);
            svg.setViewBox(QRect(QPoint(0, 0), pixels));
            svg.setResolution(static_cast<int>(kExportPixelsPerInch));
            drawVectors(plot, svg, pixels);
            break;
        }
        case ChartImageFormat::Pdf: {
            QPdfWriter pdf(&buffer);
            pdf.setResolution(static_cast<int>(kExportPixelsPerInch));
            pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
            // Exactly the chart's size: a near standard paper size must not take its place.
            const double pointsPerPixel = kPointsPerInch / kExportPixelsPerInch;
            pdf.setPageSize(
                QPageSize(QSizeF(pixels.width() * pointsPerPixel, pixels.height() * pointsPerPixel),
                          QPageSize::Point, QString(), QPageSize::ExactMatch));
            drawVectors(plot, pdf, pixels);
            break;
        }
    }
    buffer.close();
    return bytes;
}

}  // namespace trellon
