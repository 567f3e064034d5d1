#pragma once

#include <QPainter>
#include <QPalette>
#include <optional>

#include "SchematicLayout.h"

namespace trellon {

// Draws `layout` in the palette's text colour on its base: the wires and folds, every symbol
// with its leads and ground, and the texts. The item `selected` (an index in layout.items) is
// drawn in the highlight colour on a tinted ground.
void paintSchematic(QPainter& painter, const SchematicLayout& layout, const QPalette& palette,
                    std::optional<int> selected);

}  // namespace trellon
