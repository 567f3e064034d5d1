#include "CurveStatusBar.h"

#include <QHelpEvent>
#include <QToolTip>

namespace trellon {

namespace {

constexpr int kPanelWidth = 160;

}  // namespace

CurveStatusBar::CurveStatusBar(QWidget* parent) : PanelStatusBar(parent) {
    for (int k = 0; k < kCurveCount; ++k) {
        addPanel(kPanelWidth, Qt::AlignLeft, PanelStyle::OwnerDrawn);
    }
}

QString CurveStatusBar::panelToolTip(int k) const {
    return panelStyle(k) == PanelStyle::OwnerDrawn ? captions_.at(k) : QString();
}

void CurveStatusBar::panelCleared(int k) {
    setPanelText(k, QString());
    setPanelCaption(k, QString());
}

void CurveStatusBar::curveDrawn(int k, const std::string& caption, bool overlaid) {
    if (overlaid) {
        setPanelStyle(k, PanelStyle::OwnerDrawn);
        setPanelBevel(k, PanelBevel::Raised);
    }
    setPanelCaption(k, QString::fromStdString(caption));
}

void CurveStatusBar::curveRejected(int k, const std::string& text) {
    setPanelStyle(k, PanelStyle::PlainText);
    setPanelText(k, QString::fromStdString(text));
}

void CurveStatusBar::setPanelCaption(int k, const QString& caption) {
    captions_.at(k) = caption;
    update(panelRect(k));
}

bool CurveStatusBar::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip) {
        return PanelStatusBar::event(event);
    }
    const auto* help = static_cast<QHelpEvent*>(event);
    for (int k = 0; k < kCurveCount; ++k) {
        const QRect rect = panelRect(k);
        if (rect.contains(help->pos()) && !panelToolTip(k).isEmpty()) {
            QToolTip::showText(help->globalPos(), panelToolTip(k), this, rect);
            return true;
        }
    }
    QToolTip::hideText();
    event->ignore();
    return true;
}

}  // namespace trellon
