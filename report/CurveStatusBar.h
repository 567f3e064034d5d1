#pragma once

#include <array>

#include "PanelStatusBar.h"
#include "ResponseChart.h"

namespace trellon {

// The five 160-pixel panels under the chart, one per curve. Each keeps the caption of the
// calculation that drew its curve, for the owner-draw handler to paint.
class CurveStatusBar : public PanelStatusBar, public CurvePanels {
    Q_OBJECT

public:
    explicit CurveStatusBar(QWidget* parent = nullptr);

    QString panelCaption(int k) const { return captions_.at(k); }

    using PanelStatusBar::setPanelText;
    void setPanelText(int k, const std::string& text) override;
    void setPanelCaption(int k, const std::string& caption) override;
    void setPanelStyle(int k, PanelStyle style) override;
    void setPanelBevel(int k, PanelBevel bevel) override;

private:
    std::array<QString, kCurveCount> captions_;
};

}  // namespace trellon
