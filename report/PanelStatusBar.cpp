#include "PanelStatusBar.h"

#include <qdrawutil.h>
#include <QPainter>

namespace trellon {

namespace {

constexpr int kTextInset = 3;

}  // namespace

PanelStatusBar::PanelStatusBar(QWidget* parent) : QWidget(parent) {}

void PanelStatusBar::addPanel(int width, Qt::Alignment alignment, PanelStyle style) {
    panels_.push_back({width, alignment, style, PanelBevel::Lowered, {}});
}

QRect PanelStatusBar::panelRect(int panel) const {
    int left = 0;
    for (int i = 0; i < panel; ++i) {
        left += panels_.at(i).width;
    }
    if (lastPanelStretches_ && panel == panelCount() - 1) {
        return {left, 0, width() - left, height()};
    }
    return {left, 0, panels_.at(panel).width, height()};
}

void PanelStatusBar::setLastPanelStretches(bool stretches) {
    lastPanelStretches_ = stretches;
    update();
}

void PanelStatusBar::setPanelText(int panel, const QString& text) {
    panels_.at(panel).text = text;
    update(panelRect(panel));
}

void PanelStatusBar::setPanelStyle(int panel, PanelStyle style) {
    panels_.at(panel).style = style;
    update(panelRect(panel));
}

void PanelStatusBar::setPanelBevel(int panel, PanelBevel bevel) {
    panels_.at(panel).bevel = bevel;
    update(panelRect(panel));
}

void PanelStatusBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    for (int i = 0; i < panelCount(); ++i) {
        const Panel& panel = panels_[i];
        const QRect rect = panelRect(i).adjusted(0, 1, -2, -1);
        qDrawShadePanel(&painter, rect, palette(), panel.bevel == PanelBevel::Lowered, 1);
        const QRect inner = rect.adjusted(kTextInset, 1, -kTextInset, -1);
        painter.save();
        painter.setClipRect(inner);
        if (panel.style == PanelStyle::PlainText) {
            painter.drawText(inner, panel.alignment | Qt::AlignVCenter, panel.text);
        } else if (drawPanel_) {
            drawPanel_(painter, i, inner);
        }
        painter.restore();
    }
}

}  // namespace trellon
