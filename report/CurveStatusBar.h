#pragma once

#include <array>

#include "PanelStatusBar.h"
#include "ResponseChart.h"

namespace trellon {

// The five 160-pixel panels under the chart, one per curve. Each keeps the caption of the
// calculation that drew its curve, for the owner-draw handler to paint; a curve of the overlay
// cycle raises its panel, a rejected one turns it into plain text with the reason. The whole
// caption shows as the panel's tooltip, since a long one is cut at the panel's edge.
class CurveStatusBar : public PanelStatusBar, public CurvePanels {
    Q_OBJECT

public:
    explicit CurveStatusBar(QWidget* parent = nullptr);

    QString panelCaption(int k) const { return captions_.at(k); }
    // What the tooltip over panel k says: its caption while it is owner-drawn, else nothing.
    QString panelToolTip(int k) const;

    void panelCleared(int k) override;
    void curveDrawn(int k, const std::string& caption, bool overlaid) override;
    void curveRejected(int k, const std::string& text) override;

protected:
    bool event(QEvent* event) override;

private:
    void setPanelCaption(int k, const QString& caption);

    std::array<QString, kCurveCount> captions_;
};

}  // namespace trellon
