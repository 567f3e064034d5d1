#pragma once

#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

namespace trellon {

enum class PanelStyle { OwnerDrawn, PlainText };
enum class PanelBevel { Lowered, Raised };

// A status bar of fixed-width panels. A plain-text panel shows its text; an owner-drawn panel
// is painted by the draw handler inside its bevel. Changes are painted on the next repaint.
class PanelStatusBar : public QWidget {
    Q_OBJECT

public:
    using DrawPanel = std::function<void(QPainter& painter, int panel, const QRect& rect)>;

    explicit PanelStatusBar(QWidget* parent = nullptr);

    void addPanel(int width, Qt::Alignment alignment, PanelStyle style);
    int panelCount() const { return static_cast<int>(panels_.size()); }
    QRect panelRect(int panel) const;

    QString panelText(int panel) const { return panels_.at(panel).text; }
    PanelStyle panelStyle(int panel) const { return panels_.at(panel).style; }
    PanelBevel panelBevel(int panel) const { return panels_.at(panel).bevel; }

    void setPanelText(int panel, const QString& text);
    void setPanelStyle(int panel, PanelStyle style);
    void setPanelBevel(int panel, PanelBevel bevel);
    void setDrawPanelHandler(DrawPanel handler) { drawPanel_ = std::move(handler); }
    // Lets the last panel reach to the right end of the bar, as the last panel of a system
    // status bar does.
    void setLastPanelStretches(bool stretches);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Panel {
        int width;
        Qt::Alignment alignment;
        PanelStyle style;
        PanelBevel bevel;
        QString text;
    };

    std::vector<Panel> panels_;
    DrawPanel drawPanel_;
    bool lastPanelStretches_ = false;
};

}  // namespace trellon
