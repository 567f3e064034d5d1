#include "ChartView.h"

#include <algorithm>

#include "ChartReadout.h"
#include "CurveColours.h"
#include "PatternTicker.h"

namespace trellon {

namespace {

constexpr int kZoomSteps = 10;
constexpr int kZoomStepMs = 15;
constexpr int kSmallestZoomRect = 4;
// The wide span shows the stopband down to the rejection a builder can still measure.
constexpr double kWideSpanFloorDb = -120;
// The mouse wheel moves the wide span's floor by this much a notch, between these limits: a
// filter's stopband can lie deeper than what is measured at the bench.
constexpr double kWideSpanWheelStepDb = 20;
constexpr double kWideSpanDeepestDb = -400;
constexpr double kWideSpanShallowestDb = -20;

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
    setUpReadout();
    // The read-out follows the pointer without a button held.
    setMouseTracking(true);
    plainMargins_ = axisRect()->minimumMargins();
    setSelectionRectMode(QCP::srmCustom);
    connect(selectionRect(), &QCPSelectionRect::accepted, this,
            [this](const QRect& rect, QInputEvent*) { zoomToRect(rect); });
    zoomTimer_.setInterval(kZoomStepMs);
    connect(&zoomTimer_, &QTimer::timeout, this, &ChartView::advanceZoom);
}

void ChartView::setUpAxes() {
    const QPen frame(Qt::gray);
    xAxis->setLabel(horizontalAxisTitle(quantity_));
    xAxis->setTicker(QSharedPointer<PatternTicker>::create(1, 3, 0.001));
    yAxis->setLabel(verticalAxisTitle(quantity_));
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

namespace {

QCPGraph* addCurveGraph(QCustomPlot& plot, const QString& caption, const QPen& pen) {
    QCPGraph* curve = plot.addGraph();
    curve->setName(caption);
    curve->setPen(pen);
    curve->setLineStyle(QCPGraph::lsLine);
    curve->setScatterStyle(QCPScatterStyle::ssNone);
    return curve;
}

}  // namespace

// The five curves keep their status panels; the legend names only the extra curves.
void ChartView::setUpCurves() {
    setAutoAddPlottableToLegend(false);
    legend->setVisible(false);
    axisRect()->insetLayout()->setInsetAlignment(0, Qt::AlignTop | Qt::AlignRight);
    for (int k = 0; k < kCurveCount; ++k) {
        ChartCurve curve;
        curve.graph = addCurveGraph(*this, QStringLiteral("FR%1").arg(k + 1), QPen(curveColour(k)));
        curves_.push_back(std::move(curve));
    }
}

void ChartView::setUpReadout() {
    readout_ = new QCPItemText(this);
    readout_->position->setType(QCPItemPosition::ptAxisRectRatio);
    readout_->position->setCoords(0.01, 0.01);
    readout_->setPositionAlignment(Qt::AlignTop | Qt::AlignLeft);
    readout_->setTextAlignment(Qt::AlignLeft);
    readout_->setBrush(QColor(255, 255, 255, 210));
    readout_->setPen(QPen(Qt::gray));
    readout_->setPadding(QMargins(4, 2, 4, 2));
    readout_->setVisible(false);
}

const CurveSeries& ChartView::seriesOf(ChartCurve& curve) {
    if (quantity_ == ChartQuantity::Amplitude) {
        return curve.amplitude;
    }
    std::optional<CurveSeries>& view = curve.views[static_cast<int>(quantity_)];
    if (!view) {
        view = curve.source && !curve.amplitude.x.empty() ? curve.source(quantity_) : CurveSeries{};
    }
    return *view;
}

void ChartView::showCurve(ChartCurve& curve) {
    const CurveSeries& series = seriesOf(curve);
    curve.graph->setData(QVector<double>(series.x.begin(), series.x.end()),
                         QVector<double>(series.y.begin(), series.y.end()), true);
}

void ChartView::clearCurve(int k) {
    ChartCurve& curve = curves_[k];
    curve.graph->data()->clear();
    curve.amplitude = {};
    curve.source = nullptr;
    curve.views = {};
    replot(rpQueuedReplot);
}

void ChartView::addPoints(int k, std::span<const double> x, std::span<const double> y) {
    ChartCurve& curve = curves_[k];
    curve.amplitude.x.insert(curve.amplitude.x.end(), x.begin(), x.end());
    curve.amplitude.y.insert(curve.amplitude.y.end(), y.begin(), y.end());
    curve.views = {};
    showCurve(curve);
    fitAxes();
}

void ChartView::setCurveSource(int k, CurveSeriesSource source) {
    ChartCurve& curve = curves_[k];
    curve.source = std::move(source);
    curve.views = {};
    showCurve(curve);
    fitAxes();
}

void ChartView::setQuantity(ChartQuantity quantity) {
    quantity_ = quantity;
    xAxis->setLabel(horizontalAxisTitle(quantity));
    yAxis->setLabel(verticalAxisTitle(quantity));
    for (ChartCurve& curve : curves_) {
        showCurve(curve);
    }
    listDrawnExtraCurves();
    readout_->setVisible(false);
    fitAxes();
}

// The legend names the extra curves that have points in the current quantity, in the order
// they were added.
void ChartView::listDrawnExtraCurves() {
    legend->clearItems();
    for (auto curve = curves_.begin() + kCurveCount; curve != curves_.end(); ++curve) {
        if (curve->graph->dataCount() > 0) {
            curve->graph->addToLegend();
        }
    }
    legend->setVisible(legend->itemCount() > 0);
}

void ChartView::forgetQuantity(ChartQuantity quantity) {
    for (ChartCurve& curve : curves_) {
        curve.views[static_cast<int>(quantity)].reset();
    }
    if (quantity == quantity_) {
        setQuantity(quantity);
    }
}

int ChartView::addExtraCurve(const QString& caption, const QPen& pen, CurveSeries amplitude,
                             CurveSeriesSource source) {
    ChartCurve curve;
    curve.graph = addCurveGraph(*this, caption, pen);
    curve.amplitude = std::move(amplitude);
    curve.source = std::move(source);
    showCurve(curve);
    curves_.push_back(std::move(curve));
    listDrawnExtraCurves();
    fitAxes();
    return static_cast<int>(curves_.size()) - 1;
}

void ChartView::clearExtraCurves() {
    while (static_cast<int>(curves_.size()) > kCurveCount) {
        removeGraph(curves_.back().graph);
        curves_.pop_back();
    }
    legend->setVisible(false);
    replot(rpQueuedReplot);
}

void ChartView::removeExtraCurves(const QStringList& captions) {
    for (auto curve = curves_.begin() + kCurveCount; curve != curves_.end();) {
        if (captions.contains(curve->graph->name())) {
            removeGraph(curve->graph);
            curve = curves_.erase(curve);
        } else {
            ++curve;
        }
    }
    listDrawnExtraCurves();
    replot(rpQueuedReplot);
}

std::vector<DrawnCurve> ChartView::drawnCurves() {
    std::vector<DrawnCurve> drawn;
    for (ChartCurve& curve : curves_) {
        const CurveSeries& series = seriesOf(curve);
        if (!series.x.empty()) {
            drawn.push_back({curve.graph->name(), &series});
        }
    }
    return drawn;
}

void ChartView::showReadoutAt(const QPointF& position) {
    std::vector<ReadoutValue> values;
    const double x = xAxis->pixelToCoord(position.x());
    bool anyCurve = false;
    for (ChartCurve& curve : curves_) {
        const CurveSeries& series = seriesOf(curve);
        anyCurve = anyCurve || !series.x.empty();
        values.push_back({curve.graph->name(), interpolatedValue(series, x)});
    }
    const bool shown = anyCurve && axisRect()->rect().contains(position.toPoint());
    if (shown) {
        const QString decimalPoint = QLocale().decimalPoint();
        readout_->setText(
            trellon::readoutText(x, readoutFoKhz_, values, quantityUnit(quantity_),
                                 decimalPoint.isEmpty() ? '.' : decimalPoint[0].toLatin1()));
    }
    if (shown || readout_->visible()) {
        readout_->setVisible(shown);
        replot(rpQueuedReplot);
    }
}

void ChartView::hideReadout() {
    readout_->setVisible(false);
    replot(rpQueuedReplot);
}

QString ChartView::readoutText() const {
    return readout_->visible() ? readout_->text() : QString();
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
    if (quantity_ == ChartQuantity::WideSpan) {
        yAxis->setRange(kWideSpanFloorDb, 0);
    } else if (quantity_ == ChartQuantity::Amplitude && fixedAxis_) {
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

// Over the wide span the wheel moves the floor of the level axis, its top staying at 0 dB: back
// (towards the user) shows deeper, forward shallower. Elsewhere the wheel does what it did.
void ChartView::wheelEvent(QWheelEvent* event) {
    if (quantity_ != ChartQuantity::WideSpan || event->angleDelta().y() == 0) {
        QCustomPlot::wheelEvent(event);
        return;
    }
    const double notches = event->angleDelta().y() / 120.0;
    const double floor = std::clamp(yAxis->range().lower + notches * kWideSpanWheelStepDb,
                                    kWideSpanDeepestDb, kWideSpanShallowestDb);
    zoomTimer_.stop();
    yAxis->setRange(floor, yAxis->range().upper);
    replot(rpQueuedReplot);
    event->accept();
}

void ChartView::mouseMoveEvent(QMouseEvent* event) {
    QCustomPlot::mouseMoveEvent(event);
    showReadoutAt(event->position());
}

void ChartView::leaveEvent(QEvent* event) {
    QCustomPlot::leaveEvent(event);
    if (readout_->visible()) {
        readout_->setVisible(false);
        replot(rpQueuedReplot);
    }
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
