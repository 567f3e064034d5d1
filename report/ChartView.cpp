#include "ChartView.h"

#include <algorithm>

#include "CurveColours.h"
#include "PatternTicker.h"

namespace trellon {

namespace {

constexpr int kZoomSteps = 10;
constexpr int kZoomStepMs = 15;
constexpr int kSmallestZoomRect = 4;

QBrush backgroundGradient() {
    QLinearGradient gradient(0, 0, 0, 1);
    gradient.setCoordinateMode(QGradient::ObjectMode);
    gradient.setColorAt(0, Qt::white);
    gradient.setColorAt(1, QColor(255, 255, 128));
    return QBrush(gradient);
}

QCPRange between(double a, double b) {
    return QCPRange(std::min(a, b), std::max(a, b));
}

QCPRange interpolate(const QCPRange& from, const QCPRange& to, double t) {
    return QCPRange(from.lower + (to.lower - from.lower) * t,
                    from.upper + (to.upper - from.upper) * t);
}

}  // namespace

ChartView::ChartView(QWidget* parent) : QCustomPlot(parent) {
    setLocale(QLocale());
    setBackground(backgroundGradient());
    setUpAxes();
    setUpCurves();
    plainMargins_ = axisRect()->minimumMargins();
    setSelectionRectMode(QCP::srmCustom);
    connect(selectionRect(), &QCPSelectionRect::accepted, this,
            [this](const QRect& rect, QInputEvent*) { zoomToRect(rect); });
    zoomTimer_.setInterval(kZoomStepMs);
    connect(&zoomTimer_, &QTimer::timeout, this, &ChartView::advanceZoom);
}

void ChartView::setUpAxes() {
    const QPen frame(Qt::gray);
    xAxis->setLabel(QStringLiteral("Расстройка относительно Fo (kHz)"));
    xAxis->setTicker(QSharedPointer<PatternTicker>::create(1, 3, 0.001));
    yAxis->setLabel(QStringLiteral("Затухание (dB)"));
    yAxis->setTicker(QSharedPointer<PatternTicker>::create(1, 2, 0.01));
    // The top and right axes only close the frame around the plot.
    for (QCPAxis* axis : {xAxis2, yAxis2}) {
        axis->setVisible(true);
        axis->setTicks(false);
        axis->setTickLabels(false);
    }
    for (QCPAxis* axis : {xAxis, yAxis, xAxis2, yAxis2}) {
        axis->setBasePen(frame);
    }
}

void ChartView::setUpCurves() {
    for (int k = 0; k < kCurveCount; ++k) {
        QCPGraph* curve = addGraph();
        curve->setName(QStringLiteral("FR%1").arg(k + 1));
        curve->setPen(QPen(curveColour(k)));
        curve->setLineStyle(QCPGraph::lsLine);
        curve->setScatterStyle(QCPScatterStyle::ssNone);
    }
}

void ChartView::clearCurve(int k) {
    graph(k)->data()->clear();
    replot(rpQueuedReplot);
}

void ChartView::addPoints(int k, std::span<const double> x, std::span<const double> y) {
    graph(k)->addData(QVector<double>(x.begin(), x.end()), QVector<double>(y.begin(), y.end()),
                      true);
    fitAxes();
}

void ChartView::setAxisAutomatic() {
    fixedAxis_ = false;
    fitAxes();
}

void ChartView::setAxisFixed(double minimum, double maximum) {
    fixedAxis_ = true;
    fixedRange_ = QCPRange(minimum, maximum);
    fitAxes();
}

int ChartView::curvePointCount(int k) const {
    return graph(k)->dataCount();
}

void ChartView::setRightReserve(int pixels) {
    // Only the right side changes: the others keep the room that the outermost tick labels,
    // such as the top "0.0", stand out into.
    QMargins margins = plainMargins_;
    margins.setRight(std::max(plainMargins_.right(), pixels));
    axisRect()->setMinimumMargins(margins);
    replot(rpQueuedReplot);
}

void ChartView::fitAxes() {
    zoomTimer_.stop();
    xAxis->rescale();
    if (fixedAxis_) {
        yAxis->setRange(fixedRange_);
    } else {
        yAxis->rescale();
    }
    replot(rpQueuedReplot);
}

void ChartView::undoZoom() {
    fitAxes();
}

void ChartView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        undoZoom();
        event->accept();
        return;
    }
    QCustomPlot::mousePressEvent(event);
}

void ChartView::zoomToRect(const QRect& rect) {
    if (rect.width() < kSmallestZoomRect || rect.height() < kSmallestZoomRect) {
        return;
    }
    zoomTo(between(xAxis->pixelToCoord(rect.left()), xAxis->pixelToCoord(rect.right())),
           between(yAxis->pixelToCoord(rect.top()), yAxis->pixelToCoord(rect.bottom())));
}

void ChartView::zoomTo(const QCPRange& x, const QCPRange& y) {
    zoomFromX_ = xAxis->range();
    zoomFromY_ = yAxis->range();
    zoomToX_ = x;
    zoomToY_ = y;
    zoomStep_ = 0;
    zoomTimer_.start();
}

// One of the ten steps that carry the axes from the old ranges to the zoomed ones.
void ChartView::advanceZoom() {
    ++zoomStep_;
    const double t = static_cast<double>(zoomStep_) / kZoomSteps;
    xAxis->setRange(interpolate(zoomFromX_, zoomToX_, t));
    yAxis->setRange(interpolate(zoomFromY_, zoomToY_, t));
    if (zoomStep_ == kZoomSteps) {
        zoomTimer_.stop();
    }
    replot(rpQueuedReplot);
}

}  // namespace trellon
