#pragma once

#include <QPainter>

#include "SchematicLayout.h"

namespace trellon {

// The symbols of the schematic, each drawn in the painter's pen over its body rectangle as the
// layout places it; `background` erases the wire the symbol interrupts. `unit` is the layout's.
void drawSeriesSymbol(QPainter& painter, SchematicSymbol symbol, const QRectF& body, double lineY,
                      double unit, const QColor& background);
void drawShuntSymbol(QPainter& painter, SchematicSymbol symbol, const QRectF& body, double unit,
                     const QColor& background);
// The ground sign whose widest stroke is centred on `top`.
void drawGround(QPainter& painter, QPointF top, double unit);

}  // namespace trellon
