#include "SchematicLayout.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

#include "SchematicLabels.h"
#include "texts/SchematicTexts.h"

namespace trellon {

namespace {

// Proportions of the drawing in units of the font's height.
constexpr double kMargin = 0.4;
constexpr double kLineGap = 0.7;      // the least wire between two symbols on the line
constexpr double kTextGap = 0.6;      // between two texts side by side
constexpr double kBesideGap = 0.35;   // from a shunt symbol to its text
constexpr double kAboveGap = 0.25;    // from a series symbol up to its text
constexpr double kBandGap = 0.3;      // from the series symbols down to the shunt texts
constexpr double kSeriesHalf = 0.55;  // half the height of a single series symbol
constexpr double kShuntHalf = 0.8;    // half the length of the longest shunt symbol
constexpr double kSourceRadius = 0.6;
constexpr double kShuntLead = 0.4;    // the wire from a shunt symbol down to its ground
constexpr double kGroundHalf = 0.5;   // half the width of the ground symbol
constexpr double kGroundDepth = 0.4;  // from the ground's first stroke to its last
constexpr double kFoldGap = 1.0;      // between two rows, where the fold runs back
constexpr double kFoldInset = 0.7;    // a row's symbols keep off the folds by this

// A symbol's body around its anchor: the point on the line for a series symbol, the point
// where a shunt symbol's axis meets the middle of its body for a shunt one.
QRectF bodyAround(SchematicSymbol symbol, bool shunt) {
    const auto centred = [](double halfWidth, double halfHeight) {
        return QRectF(-halfWidth, -halfHeight, 2 * halfWidth, 2 * halfHeight);
    };
    switch (symbol) {
        case SchematicSymbol::Source:
            return centred(kSourceRadius, kSourceRadius);
        case SchematicSymbol::Resistor:
            return shunt ? centred(0.3, kShuntHalf) : centred(kShuntHalf, 0.3);
        case SchematicSymbol::Capacitor:
            return shunt ? centred(kSeriesHalf, 0.15) : centred(0.15, kSeriesHalf);
        case SchematicSymbol::Inductor:
            return shunt ? centred(0.25, kShuntHalf) : QRectF(-0.8, -0.25, 1.6, 0.3);
        case SchematicSymbol::Crystal:
            return centred(0.45, kSeriesHalf);
        case SchematicSymbol::CrystalPair:
            return centred(0.85, 1.5);
    }
    return {};
}

QRectF scaled(const QRectF& r, double unit) {
    return {r.x() * unit, r.y() * unit, r.width() * unit, r.height() * unit};
}

SchematicSymbol symbolOf(const BuiltPart& part) {
    switch (part.kind) {
        case BuiltPartKind::SeriesCapacitor:
        case BuiltPartKind::ShuntCapacitor:
            return SchematicSymbol::Capacitor;
        case BuiltPartKind::SeriesInductor:
        case BuiltPartKind::ShuntInductor:
            return SchematicSymbol::Inductor;
        case BuiltPartKind::Crystal:
            break;
    }
    return part.parallelCrystals > 1 ? SchematicSymbol::CrystalPair : SchematicSymbol::Crystal;
}

SchematicItem itemOf(SchematicSymbol symbol, bool shunt, QStringList lines,
                     std::optional<int> part = std::nullopt) {
    SchematicItem item;
    item.part = part;
    item.symbol = symbol;
    item.shunt = shunt;
    item.lines = std::move(lines);
    return item;
}

// Everything drawn, in order along the line, before it is placed.
std::vector<SchematicItem> itemsOf(const BuiltCircuit& circuit, char decimalSeparator) {
    std::vector<SchematicItem> items;
    items.push_back(itemOf(SchematicSymbol::Source, true, {}));
    items.push_back(itemOf(SchematicSymbol::Resistor, false,
                           schematicResistanceLabel(texts::kSchematicSourceName,
                                                    circuit.sourceResistance, decimalSeparator)));
    for (int i = 0; i < int(circuit.parts.size()); ++i) {
        const BuiltPart& part = circuit.parts[size_t(i)];
        items.push_back(itemOf(symbolOf(part), !isSeriesPart(part.kind),
                               schematicPartLabel(part, decimalSeparator), i));
    }
    items.push_back(itemOf(SchematicSymbol::Resistor, true,
                           schematicResistanceLabel(texts::kSchematicLoadName,
                                                    circuit.loadResistance, decimalSeparator)));
    return items;
}

// Places the items of a row one after another. Three edges move right as they go: the last
// thing on the line, the last text above it and the last thing below the series symbols, where
// the shunt texts stand; a shunt's text may so reach under the series symbols that follow it.
class RowPlacer {
public:
    RowPlacer(const QFontMetricsF& metrics, double unit) : metrics_(metrics), unit_(unit) {
        shuntMiddle_ = (kSeriesHalf + kBandGap) * unit + metrics.lineSpacing();
    }

    void startRow(double left) { line_ = above_ = below_ = left; }

    // Where `item` would go next in the row: its anchor's x and the right edge it reaches.
    std::pair<double, double> next(const SchematicItem& item, bool first) const {
        const QRectF body = scaled(bodyAround(item.symbol, item.shunt), unit_);
        const double text = textWidth(item);
        if (item.shunt) {
            const double half = std::max(-body.left(), kGroundHalf * unit_);
            const double x =
                first ? line_ + half
                      : std::max(line_ + kLineGap * unit_, below_ + kBesideGap * unit_ + half);
            return {x, x + besideOffset(body) + text};
        }
        double x = std::max(line_ + kLineGap * unit_ - body.left(),
                            above_ + (text > 0 ? kTextGap * unit_ + text / 2 : 0));
        if (item.symbol == SchematicSymbol::CrystalPair) {
            x = std::max(x, below_ + kTextGap * unit_ - body.left());
        }
        return {x, x + std::max(body.right(), text / 2)};
    }

    // Puts `item` at `x`, relative to a line at y = 0.
    void place(SchematicItem& item, double x) {
        const QRectF body = scaled(bodyAround(item.symbol, item.shunt), unit_);
        const double text = textWidth(item);
        const double height = item.lines.size() * metrics_.lineSpacing();
        if (item.shunt) {
            // The source's circle sits lower, to end where the longest symbols end.
            const double middle = item.symbol == SchematicSymbol::Source
                                      ? shuntMiddle_ + (kShuntHalf - kSourceRadius) * unit_
                                      : shuntMiddle_;
            item.body = body.translated(x, middle);
            item.ground =
                QRectF(x - kGroundHalf * unit_, shuntMiddle_ + (kShuntHalf + kShuntLead) * unit_,
                       2 * kGroundHalf * unit_, kGroundDepth * unit_);
            if (text > 0) {
                item.label =
                    QRectF(x + besideOffset(body), shuntMiddle_ - height / 2, text, height);
            }
            line_ = x;
            below_ = std::max(below_, text > 0 ? item.label.right() : x + kGroundHalf * unit_);
            return;
        }
        item.body = body.translated(x, 0);
        item.label =
            QRectF(x - text / 2, item.body.top() - kAboveGap * unit_ - height, text, height);
        line_ = item.body.right();
        above_ = std::max(above_, item.label.right());
        if (item.symbol == SchematicSymbol::CrystalPair) {
            below_ = std::max(below_, item.body.right());
        }
    }

private:
    double textWidth(const SchematicItem& item) const {
        double width = 0;
        for (const QString& line : item.lines) {
            width = std::max(width, std::ceil(metrics_.horizontalAdvance(line)) + 1);
        }
        return width;
    }
    double besideOffset(const QRectF& body) const {
        return std::max(body.right(), kGroundHalf * unit_) + kBesideGap * unit_;
    }

    const QFontMetricsF& metrics_;
    double unit_;
    double shuntMiddle_ = 0;  // how far below the line a shunt symbol's body is centred
    double line_ = 0;
    double above_ = 0;
    double below_ = 0;
};

QRectF extentOf(const SchematicItem& item) {
    QRectF extent = item.body.united(item.label.isEmpty() ? item.body : item.label);
    return item.ground.isEmpty() ? extent : extent.united(item.ground);
}

void moveItem(SchematicItem& item, double dx, double dy) {
    item.body.translate(dx, dy);
    if (!item.label.isEmpty()) {
        item.label.translate(dx, dy);
    }
    if (!item.ground.isEmpty()) {
        item.ground.translate(dx, dy);
    }
}

// Places the items row after row, each row ending before the item that would reach beyond
// `rowRight`. Returns how many rows that takes and how far right the farthest item reaches.
std::pair<int, double> placeInRows(std::vector<SchematicItem>& items, RowPlacer& placer,
                                   double left, double rowRight) {
    placer.startRow(left);
    int row = 0;
    bool rowEmpty = true;
    double rightmost = left;
    for (SchematicItem& item : items) {
        auto [x, reach] = placer.next(item, rowEmpty && row == 0);
        if (reach > rowRight && !rowEmpty) {
            ++row;
            placer.startRow(left);
            std::tie(x, reach) = placer.next(item, false);
        }
        placer.place(item, x);
        item.row = row;
        rowEmpty = false;
        rightmost = std::max(rightmost, reach);
    }
    return {row + 1, rightmost};
}

}  // namespace

SchematicLayout schematicLayout(const BuiltCircuit& circuit, double width,
                                const QFontMetricsF& metrics, char decimalSeparator) {
    SchematicLayout layout;
    const double u = metrics.height();
    layout.unit = u;
    layout.items = itemsOf(circuit, decimalSeparator);
    const double left = kMargin * u;
    RowPlacer placer(metrics, u);
    auto [rowCount, rightmost] =
        placeInRows(layout.items, placer, left, width - (kMargin + kFoldInset) * u);
    // Rows as short as they can be without needing one more, so that they come out about even
    // rather than a full row above a nearly empty one.
    if (rowCount > 1) {
        double shortest = left;
        double longest = rightmost;
        while (longest - shortest > 0.5) {
            const double middle = (shortest + longest) / 2;
            (placeInRows(layout.items, placer, left, middle).first <= rowCount ? longest
                                                                               : shortest) = middle;
        }
        std::tie(rowCount, rightmost) = placeInRows(layout.items, placer, left, longest);
    }

    // The drawing stands in the middle of the width.
    const double drawnRight = rightmost + (rowCount > 1 ? kFoldInset * u : 0);
    const double shift = std::max(0.0, (width - kMargin * u - drawnRight) / 2);
    for (SchematicItem& item : layout.items) {
        moveItem(item, shift, 0);
    }
    layout.foldLeft = left + shift;
    layout.foldRight = drawnRight + shift;

    // The rows one below the other, each as high as what it holds.
    layout.rows.resize(size_t(rowCount));
    for (SchematicRow& r : layout.rows) {
        r.top = -kSeriesHalf * u;
        r.bottom = 0;
    }
    for (const SchematicItem& item : layout.items) {
        const QRectF extent = extentOf(item);
        SchematicRow& r = layout.rows[size_t(item.row)];
        r.top = std::min(r.top, extent.top());
        r.bottom = std::max(r.bottom, extent.bottom());
    }
    double y = kMargin * u;
    for (size_t i = 0; i < layout.rows.size(); ++i) {
        SchematicRow& r = layout.rows[i];
        r.lineY = y - r.top;
        r.top += r.lineY;
        r.bottom += r.lineY;
        r.lineLeft = layout.foldLeft;
        r.lineRight = layout.foldRight;
        y = r.bottom + kFoldGap * u;
        if (i + 1 < layout.rows.size()) {
            layout.foldY.push_back(r.bottom + kFoldGap * u / 2);
        }
    }
    for (SchematicItem& item : layout.items) {
        moveItem(item, 0, layout.rows[size_t(item.row)].lineY);
    }
    layout.rows.front().lineLeft = layout.items.front().body.center().x();
    layout.rows.back().lineRight = layout.items.back().body.center().x();
    layout.size = QSizeF(std::max(width, drawnRight + shift + kMargin * u),
                         layout.rows.back().bottom + kMargin * u);
    return layout;
}

std::optional<int> schematicItemAt(const SchematicLayout& layout, QPointF point) {
    const double reach = layout.unit * 0.25;
    for (int i = 0; i < int(layout.items.size()); ++i) {
        const SchematicItem& item = layout.items[size_t(i)];
        if (item.body.adjusted(-reach, -reach, reach, reach).contains(point) ||
            item.label.contains(point)) {
            return i;
        }
    }
    return std::nullopt;
}

}  // namespace trellon
