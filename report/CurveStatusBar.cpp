#include "CurveStatusBar.h"

namespace trellon {

namespace {

constexpr int kPanelWidth = 160;

}  // namespace

CurveStatusBar::CurveStatusBar(QWidget* parent) : PanelStatusBar(parent) {
    for (int k = 0; k < kCurveCount; ++k) {
        addPanel(kPanelWidth, Qt::AlignLeft, PanelStyle::OwnerDrawn);
    }
}

void CurveStatusBar::setPanelText(int k, const std::string& text) {
    PanelStatusBar::setPanelText(k, QString::fromStdString(text));
}

void CurveStatusBar::setPanelCaption(int k, const std::string& caption) {
    captions_.at(k) = QString::fromStdString(caption);
    update(panelRect(k));
}

void CurveStatusBar::setPanelStyle(int k, PanelStyle style) {
    PanelStatusBar::setPanelStyle(k, style);
}

void CurveStatusBar::setPanelBevel(int k, PanelBevel bevel) {
    PanelStatusBar::setPanelBevel(k, bevel);
}

}  // namespace trellon
