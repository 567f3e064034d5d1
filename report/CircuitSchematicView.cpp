#include "CircuitSchematicView.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <cmath>

#include "SchematicPainter.h"
#include "texts/SchematicTexts.h"

namespace trellon {

namespace {

constexpr int kPreferredWidth = 880;
constexpr int kLeastWidth = 600;

}  // namespace

CircuitSchematicView::CircuitSchematicView(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAccessibleName(QString::fromUtf8(texts::kSchematicAccessibleName));
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void CircuitSchematicView::setCircuit(const BuiltCircuit& circuit) {
    if (circuit.parts.size() != circuit_.parts.size()) {
        selected_.reset();
    }
    circuit_ = circuit;
    layoutChanged();
}

void CircuitSchematicView::setDecimalSeparator(char separator) {
    decimalSeparator_ = separator;
    layoutChanged();
}

SchematicLayout CircuitSchematicView::layoutAt(int width) const {
    return schematicLayout(circuit_, width, QFontMetricsF(font()), decimalSeparator_);
}

const SchematicLayout& CircuitSchematicView::currentLayout() const {
    if (!layout_ || layoutWidth_ != width()) {
        layout_ = layoutAt(width());
        layoutWidth_ = width();
    }
    return *layout_;
}

void CircuitSchematicView::layoutChanged() {
    layout_.reset();
    updateGeometry();
    update();
}

std::optional<int> CircuitSchematicView::partAt(QPoint position) const {
    const SchematicLayout& layout = currentLayout();
    if (const std::optional<int> item = schematicItemAt(layout, position)) {
        return layout.items[size_t(*item)].part;
    }
    return std::nullopt;
}

void CircuitSchematicView::selectPart(std::optional<int> index) {
    selected_ = index;
    update();
}

QSize CircuitSchematicView::sizeHint() const {
    return {kPreferredWidth, heightForWidth(kPreferredWidth)};
}

QSize CircuitSchematicView::minimumSizeHint() const {
    return {kLeastWidth, heightForWidth(kLeastWidth)};
}

int CircuitSchematicView::heightForWidth(int width) const {
    return int(std::ceil(layoutAt(width).size.height()));
}

void CircuitSchematicView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
    const SchematicLayout& layout = currentLayout();
    std::optional<int> selectedItem;
    for (int i = 0; selected_ && i < int(layout.items.size()); ++i) {
        if (layout.items[size_t(i)].part == selected_) {
            selectedItem = i;
        }
    }
    paintSchematic(painter, layout, palette(), selectedItem);
    // With the keys on it, the view says so as the style frames a focused item.
    if (hasFocus()) {
        QStyleOptionFocusRect frame;
        frame.initFrom(this);
        frame.backgroundColor = palette().color(QPalette::Base);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
    }
}

void CircuitSchematicView::mousePressEvent(QMouseEvent* event) {
    if (const std::optional<int> part = partAt(event->position().toPoint())) {
        selectPart(part);
        emit partSelected(*part);
    }
}

// A part under the pointer shows that it can be picked.
void CircuitSchematicView::mouseMoveEvent(QMouseEvent* event) {
    setCursor(partAt(event->position().toPoint()) ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QWidget::mouseMoveEvent(event);
}

void CircuitSchematicView::keyPressEvent(QKeyEvent* event) {
    const int count = int(circuit_.parts.size());
    const int step = event->key() == Qt::Key_Right ? 1 : event->key() == Qt::Key_Left ? -1 : 0;
    if (step == 0 || count == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int next =
        selected_ ? std::clamp(*selected_ + step, 0, count - 1) : (step > 0 ? 0 : count - 1);
    if (next != selected_) {
        selectPart(next);
        emit partSelected(next);
    }
}

void CircuitSchematicView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        layoutChanged();
    }
    QWidget::changeEvent(event);
}

}  // namespace trellon
