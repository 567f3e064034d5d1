#pragma once

#include <qcustomplot.h>
#include <QTimer>
#include <array>
#include <optional>
#include <vector>

#include "ChartQuantity.h"
#include "ResponseChart.h"

namespace trellon {

// A curve as the chart holds it in every quantity: its caption and pen, the amplitude it was
// drawn with and the other quantities as its source gives them, each asked for once.
struct ChartCurve {
    QCPGraph* graph = nullptr;
    CurveSeries amplitude;
    CurveSeriesSource source;
    std::array<std::optional<CurveSeries>, kChartQuantityCount> views;
};

// One curve as the chart draws it in the current quantity, for exporting.
struct DrawnCurve {
    QString caption;
    const CurveSeries* series;
};

// The response chart: five curves in their colours over a light-yellow gradient, detuning in
// kHz across, the chosen quantity up; extra curves beside the five, named in a legend. Dragging
// a rectangle with the left button zooms into it; the right button undoes the zoom. A read-out
// in the corner gives the values under the pointer.
class ChartView : public QCustomPlot, public ResponseChart {
    Q_OBJECT

public:
    explicit ChartView(QWidget* parent = nullptr);

    void clearCurve(int k) override;
    void addPoints(int k, std::span<const double> x, std::span<const double> y) override;
    void setAxisAutomatic() override;
    void setAxisFixed(double minimum, double maximum) override;

    int curvePointCount(int k) const;
    // Keeps the plot clear of a strip this wide at the right, where other controls cover it.
    void setRightReserve(int pixels);
    void zoomTo(const QCPRange& x, const QCPRange& y);
    void undoZoom();

    // What curve k (one of the five or an extra one) shows in the quantities beyond its
    // amplitude.
    void setCurveSource(int k, CurveSeriesSource source);
    ChartQuantity quantity() const { return quantity_; }
    void setQuantity(ChartQuantity quantity);
    // Asks every curve's source again for a quantity whose settings have changed.
    void forgetQuantity(ChartQuantity quantity);

    // Adds a curve outside the five-curve cycle, captioned in the legend; returns its index.
    int addExtraCurve(const QString& caption, const QPen& pen, CurveSeries amplitude,
                      CurveSeriesSource source);
    int extraCurveCount() const { return static_cast<int>(curves_.size()) - kCurveCount; }
    void clearExtraCurves();
    // Removes the extra curves of these captions, so that a new result replaces its old curves.
    void removeExtraCurves(const QStringList& captions);

    // The curves that have points in the current quantity, the five first.
    std::vector<DrawnCurve> drawnCurves();

    // The crystal frequency the read-out adds the detuning to, in kHz.
    void setReadoutFo(double foKhz) { readoutFoKhz_ = foKhz; }
    // Shows the read-out for a pointer at this widget position; hidden when it is off the plot.
    void showReadoutAt(const QPointF& position);
    QString readoutText() const;
    void hideReadout();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void setUpAxes();
    void setUpCurves();
    void setUpReadout();
    void fitAxes();
    void zoomToRect(const QRect& rect);
    void advanceZoom();
    const CurveSeries& seriesOf(ChartCurve& curve);
    void showCurve(ChartCurve& curve);
    void listDrawnExtraCurves();

    QMargins plainMargins_;
    bool fixedAxis_ = false;
    QCPRange fixedRange_;

    QTimer zoomTimer_;
    int zoomStep_ = 0;
    QCPRange zoomFromX_, zoomFromY_, zoomToX_, zoomToY_;

    std::vector<ChartCurve> curves_;
    ChartQuantity quantity_ = ChartQuantity::Amplitude;
    QCPItemText* readout_ = nullptr;
    double readoutFoKhz_ = 0;
};

}  // namespace trellon
