#pragma once

#include <QWidget>
#include <optional>

#include "BuiltCircuit.h"
#include "SchematicLayout.h"

namespace trellon {

// The schematic of a circuit as built, drawn from its parts rather than from a picture: the
// source resistance, the ladder in order with every part's name and value, and the load. A long
// ladder is folded into rows so that every value stays readable. A part can be picked with the
// mouse, or moved to with the Left and Right keys: the view marks it and reports its index in the
// circuit's parts.
class CircuitSchematicView : public QWidget {
    Q_OBJECT
public:
    explicit CircuitSchematicView(QWidget* parent = nullptr);

    // Shows `circuit`; the selection is dropped when the parts change in number.
    void setCircuit(const BuiltCircuit& circuit);
    const BuiltCircuit& circuit() const { return circuit_; }

    // The decimal mark the values are written with; '.' until set.
    void setDecimalSeparator(char separator);

    // The index in circuit().parts of the part drawn at `position` (widget coordinates).
    std::optional<int> partAt(QPoint position) const;
    std::optional<int> selectedPart() const { return selected_; }
    void selectPart(std::optional<int> index);

    // The drawing at `width`, as paintEvent draws it at the view's width.
    SchematicLayout layoutAt(int width) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

signals:
    void partSelected(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    const SchematicLayout& currentLayout() const;
    void layoutChanged();

    BuiltCircuit circuit_;
    std::optional<int> selected_;
    char decimalSeparator_ = '.';
    mutable std::optional<SchematicLayout> layout_;  // at layoutWidth_
    mutable int layoutWidth_ = -1;
};

}  // namespace trellon
