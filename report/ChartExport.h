#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

class QCustomPlot;

namespace trellon {

enum class ChartImageFormat { Png, Svg, Pdf };

// Pixels per inch at which a size in millimetres becomes pixels, the screen's usual density.
inline constexpr double kExportPixelsPerInch = 96;

// A side given in millimetres, in pixels at kExportPixelsPerInch.
int millimetresToPixels(double millimetres);

// The chart drawn at `pixels` as the bytes of a PNG, SVG or PDF file, with `caption` (the design
// its curves belong to) above the plot unless it is empty. The PDF page is the chart's size at
// kExportPixelsPerInch; the SVG says the same size.
QByteArray renderChart(QCustomPlot& plot, ChartImageFormat format, QSize pixels,
                       const QString& caption);

}  // namespace trellon
