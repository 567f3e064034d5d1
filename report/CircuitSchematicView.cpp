#include "CircuitSchematicView.h"

#include <QMouseEvent>
#include <QPainter>

namespace trellon {

CircuitSchematicView::CircuitSchematicView(QWidget* parent) : QWidget(parent) {}

void CircuitSchematicView::setCircuit(const BuiltCircuit& circuit) {
    if (circuit.parts.size() != circuit_.parts.size()) {
        selected_.reset();
    }
    circuit_ = circuit;
    updateGeometry();
    update();
}

std::optional<int> CircuitSchematicView::partAt(QPoint) const {
    return std::nullopt;
}

void CircuitSchematicView::selectPart(std::optional<int> index) {
    selected_ = index;
    update();
}

QSize CircuitSchematicView::sizeHint() const {
    return {600, 200};
}

QSize CircuitSchematicView::minimumSizeHint() const {
    return {300, 120};
}

int CircuitSchematicView::heightForWidth(int) const {
    return 200;
}

void CircuitSchematicView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().base());
}

void CircuitSchematicView::mousePressEvent(QMouseEvent* event) {
    if (const std::optional<int> part = partAt(event->position().toPoint())) {
        selectPart(part);
        emit partSelected(*part);
    }
}

}  // namespace trellon
