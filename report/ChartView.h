#pragma once

#include <qcustomplot.h>
#include <QTimer>

#include "ResponseChart.h"

namespace trellon {

// The response chart: five curves in their colours over a light-yellow gradient, detuning in
// kHz across, attenuation in dB up. Dragging a rectangle with the left button zooms into it;
// the right button undoes the zoom.
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

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void setUpAxes();
    void setUpCurves();
    void fitAxes();
    void zoomToRect(const QRect& rect);
    void advanceZoom();

    QMargins plainMargins_;
    bool fixedAxis_ = false;
    QCPRange fixedRange_;

    QTimer zoomTimer_;
    int zoomStep_ = 0;
    QCPRange zoomFromX_, zoomFromY_, zoomToX_, zoomToY_;
};

}  // namespace trellon
