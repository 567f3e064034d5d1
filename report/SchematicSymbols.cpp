#include "SchematicSymbols.h"

#include <QPainterPath>

namespace trellon {

namespace {

constexpr int kHumps = 4;  // of an inductor

// Draws `lines` with a pen as wide as a capacitor's plates.
void drawPlates(QPainter& painter, const QLineF& first, const QLineF& second) {
    const QPen wire = painter.pen();
    QPen plate = wire;
    plate.setWidthF(wire.widthF() * 2.2);
    plate.setCapStyle(Qt::FlatCap);
    painter.setPen(plate);
    painter.drawLine(first);
    painter.drawLine(second);
    painter.setPen(wire);
}

// A crystal between its plates, centred on `centre`, the plates upright.
void drawCrystal(QPainter& painter, QPointF centre, double unit, const QColor& background) {
    const double x = centre.x();
    const double y = centre.y();
    const double plate = 0.45 * unit;
    const double half = 0.55 * unit;
    painter.fillRect(QRectF(x - plate, y - half, 2 * plate, 2 * half), background);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(x - 0.2 * unit, y - 0.4 * unit, 0.4 * unit, 0.8 * unit));
    drawPlates(painter, QLineF(x - plate, y - half, x - plate, y + half),
               QLineF(x + plate, y - half, x + plate, y + half));
}

// Two crystals in parallel: the line parts at the body's sides and joins again.
void drawCrystalPair(QPainter& painter, const QRectF& body, double lineY, double unit,
                     const QColor& background) {
    const double offset = 0.95 * unit;
    const double x = body.center().x();
    painter.fillRect(QRectF(body.left() + 1, lineY - unit * 0.1, body.width() - 2, unit * 0.2),
                     background);
    for (const double side : {body.left(), body.right()}) {
        painter.drawLine(QLineF(side, lineY - offset, side, lineY + offset));
        painter.drawEllipse(QPointF(side, lineY), unit * 0.1, unit * 0.1);
    }
    for (const double y : {lineY - offset, lineY + offset}) {
        painter.drawLine(QLineF(body.left(), y, body.right(), y));
        drawCrystal(painter, QPointF(x, y), unit, background);
    }
}

// Humps along `axis`: the x of an upright inductor, the y of a lying one.
void drawInductor(QPainter& painter, const QRectF& body, bool upright, double axis, double unit,
                  const QColor& background) {
    const double radius = 0.2 * unit;
    if (upright) {
        const double x = axis;
        painter.fillRect(QRectF(x - 0.1 * unit, body.top(), 0.2 * unit, body.height()), background);
        for (int i = 0; i < kHumps; ++i) {
            const QRectF arc(x - radius, body.top() + 2 * radius * i, 2 * radius, 2 * radius);
            painter.drawArc(arc, -90 * 16, 180 * 16);
        }
        return;
    }
    const double y = axis;
    painter.fillRect(QRectF(body.left(), y - 0.1 * unit, body.width(), 0.2 * unit), background);
    for (int i = 0; i < kHumps; ++i) {
        const QRectF arc(body.left() + 2 * radius * i, y - radius, 2 * radius, 2 * radius);
        painter.drawArc(arc, 0, 180 * 16);
    }
}

void drawSource(QPainter& painter, const QRectF& body, double unit, const QColor& background) {
    painter.setBrush(background);
    painter.drawEllipse(body);
    painter.setBrush(Qt::NoBrush);
    const QPointF c = body.center();
    const double w = 0.3 * unit;
    QPainterPath wave(QPointF(c.x() - w, c.y()));
    wave.cubicTo(c.x() - w / 2, c.y() - w, c.x() - w / 2, c.y() - w, c.x(), c.y());
    wave.cubicTo(c.x() + w / 2, c.y() + w, c.x() + w / 2, c.y() + w, c.x() + w, c.y());
    painter.drawPath(wave);
}

}  // namespace

void drawSeriesSymbol(QPainter& painter, SchematicSymbol symbol, const QRectF& body, double lineY,
                      double unit, const QColor& background) {
    switch (symbol) {
        case SchematicSymbol::Resistor:
            painter.setBrush(background);
            painter.drawRect(body);
            painter.setBrush(Qt::NoBrush);
            return;
        case SchematicSymbol::Capacitor:
            painter.fillRect(body, background);
            drawPlates(painter, QLineF(body.topLeft(), body.bottomLeft()),
                       QLineF(body.topRight(), body.bottomRight()));
            return;
        case SchematicSymbol::Inductor:
            drawInductor(painter, body, false, lineY, unit, background);
            return;
        case SchematicSymbol::Crystal:
            drawCrystal(painter, QPointF(body.center().x(), lineY), unit, background);
            return;
        case SchematicSymbol::CrystalPair:
            drawCrystalPair(painter, body, lineY, unit, background);
            return;
        case SchematicSymbol::Source:
            drawSource(painter, body, unit, background);
            return;
    }
}

void drawShuntSymbol(QPainter& painter, SchematicSymbol symbol, const QRectF& body, double unit,
                     const QColor& background) {
    switch (symbol) {
        case SchematicSymbol::Capacitor:
            drawPlates(painter, QLineF(body.topLeft(), body.topRight()),
                       QLineF(body.bottomLeft(), body.bottomRight()));
            return;
        case SchematicSymbol::Inductor:
            drawInductor(painter, body, true, body.center().x(), unit, background);
            return;
        case SchematicSymbol::Source:
            drawSource(painter, body, unit, background);
            return;
        default:
            drawSeriesSymbol(painter, symbol, body, body.center().y(), unit, background);
    }
}

void drawGround(QPainter& painter, QPointF top, double unit) {
    const double step = 0.2 * unit;
    const double halves[] = {0.5 * unit, 0.3 * unit, 0.1 * unit};
    for (int i = 0; i < 3; ++i) {
        const double y = top.y() + step * i;
        painter.drawLine(QLineF(top.x() - halves[i], y, top.x() + halves[i], y));
    }
}

}  // namespace trellon
