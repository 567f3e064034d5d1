#include "SchematicPainter.h"

#include <QPainterPath>
#include <cmath>

#include "SchematicSymbols.h"

namespace trellon {

namespace {

// The wires of every row and the folds that join one row to the next.
void drawWires(QPainter& painter, const SchematicLayout& layout) {
    for (const SchematicRow& row : layout.rows) {
        painter.drawLine(QLineF(row.lineLeft, row.lineY, row.lineRight, row.lineY));
    }
    for (size_t i = 0; i < layout.foldY.size(); ++i) {
        const double y = layout.foldY[i];
        QPainterPath fold(QPointF(layout.foldRight, layout.rows[i].lineY));
        fold.lineTo(layout.foldRight, y);
        fold.lineTo(layout.foldLeft, y);
        fold.lineTo(layout.foldLeft, layout.rows[i + 1].lineY);
        painter.drawPath(fold);
    }
}

// A shunt symbol with its lead from the line, the dot where it leaves a line that goes on, and
// its ground.
void drawShunt(QPainter& painter, const SchematicItem& item, const SchematicRow& row, double unit,
               const QColor& background) {
    const double x = item.body.center().x();
    painter.drawLine(QLineF(x, row.lineY, x, item.body.top()));
    painter.drawLine(QLineF(x, item.body.bottom(), x, item.ground.top()));
    const double margin = unit * 0.05;
    if (x > row.lineLeft + margin && x < row.lineRight - margin) {
        const QBrush brush = painter.brush();
        painter.setBrush(painter.pen().color());
        painter.drawEllipse(QPointF(x, row.lineY), unit * 0.12, unit * 0.12);
        painter.setBrush(brush);
    }
    drawShuntSymbol(painter, item.symbol, item.body, unit, background);
    drawGround(painter, QPointF(x, item.ground.top()), unit);
}

void drawLabel(QPainter& painter, const SchematicItem& item) {
    if (item.lines.isEmpty()) {
        return;
    }
    const double lineHeight = item.label.height() / item.lines.size();
    const int alignment = (item.shunt ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter;
    for (int i = 0; i < item.lines.size(); ++i) {
        const QRectF line(item.label.left(), item.label.top() + i * lineHeight, item.label.width(),
                          lineHeight);
        painter.drawText(line, alignment, item.lines[i]);
    }
}

}  // namespace

void paintSchematic(QPainter& painter, const SchematicLayout& layout, const QPalette& palette,
                    std::optional<int> selected) {
    const double unit = layout.unit;
    const QColor ink = palette.color(QPalette::Text);
    const QColor background = palette.color(QPalette::Base);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen wire(ink, std::max(1.0, unit / 14));
    wire.setCapStyle(Qt::SquareCap);
    // The ground under the selected part: its highlight colour faded into the base.
    const QColor highlight = palette.color(QPalette::Highlight);
    constexpr double kTint = 0.2;
    const QColor tint = QColor::fromRgbF(
        float(background.redF() + kTint * (highlight.redF() - background.redF())),
        float(background.greenF() + kTint * (highlight.greenF() - background.greenF())),
        float(background.blueF() + kTint * (highlight.blueF() - background.blueF())));
    if (selected && *selected >= 0 && *selected < int(layout.items.size())) {
        const SchematicItem& item = layout.items[size_t(*selected)];
        const QRectF area = item.label.isEmpty() ? item.body : item.body.united(item.label);
        const double pad = unit * 0.2;
        painter.setPen(Qt::NoPen);
        painter.setBrush(tint);
        painter.drawRoundedRect(area.adjusted(-pad, -pad, pad, pad), pad, pad);
        painter.setBrush(Qt::NoBrush);
    }
    painter.setPen(wire);
    drawWires(painter, layout);

    for (int i = 0; i < int(layout.items.size()); ++i) {
        const SchematicItem& item = layout.items[size_t(i)];
        const bool marked = selected == i;
        const QColor fill = marked ? tint : background;
        QPen pen = wire;
        pen.setColor(marked ? highlight : ink);
        painter.setPen(pen);
        const SchematicRow& row = layout.rows[size_t(item.row)];
        if (item.shunt) {
            drawShunt(painter, item, row, unit, fill);
        } else {
            drawSeriesSymbol(painter, item.symbol, item.body, row.lineY, unit, fill);
        }
        drawLabel(painter, item);
    }
}

}  // namespace trellon
