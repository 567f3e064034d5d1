#pragma once

#include <QFontMetricsF>
#include <QRectF>
#include <QStringList>
#include <optional>
#include <vector>

#include "BuiltCircuit.h"

namespace trellon {

enum class SchematicSymbol { Source, Resistor, Capacitor, Inductor, Crystal, CrystalPair };

// One symbol of the schematic with the text beside it. A series symbol sits on its row's signal
// line with its text above; a shunt one hangs from the line at body.center().x() down to its
// ground, with its text to the right.
struct SchematicItem {
    std::optional<int> part;  // its index in the circuit's parts; none for the terminations
    SchematicSymbol symbol = SchematicSymbol::Capacitor;
    bool shunt = false;
    int row = 0;
    QRectF body;   // the symbol itself, without its leads
    QRectF label;  // the text; empty for the source
    QStringList lines;
    QRectF ground;  // a shunt symbol's ground sign below it, its widest stroke on top; else empty
};

// One row of the folded ladder: its signal line from lineLeft to lineRight.
struct SchematicRow {
    double lineY = 0;
    double lineLeft = 0;
    double lineRight = 0;
    double top = 0;  // the highest and lowest things drawn in the row
    double bottom = 0;
};

// The schematic laid out at a width: the source and Rin, the parts in ladder order and Rout,
// folded into rows. Between two rows the line runs down at foldRight, back along foldY of the
// upper row and down at foldLeft into the next row.
struct SchematicLayout {
    std::vector<SchematicItem> items;
    std::vector<SchematicRow> rows;
    std::vector<double> foldY;  // one per row but the last
    double foldLeft = 0;
    double foldRight = 0;
    double unit = 0;  // the size the symbols are drawn to: the font's height
    QSizeF size;      // everything with its margins; as wide as asked unless a part is wider
};

// Lays `circuit` out within `width` for text of `metrics`, with values written with
// `decimalSeparator`. No text overlaps another or a symbol.
SchematicLayout schematicLayout(const BuiltCircuit& circuit, double width,
                                const QFontMetricsF& metrics, char decimalSeparator);

// The index in `layout.items` of the item whose symbol or text holds `point`.
std::optional<int> schematicItemAt(const SchematicLayout& layout, QPointF point);

}  // namespace trellon
