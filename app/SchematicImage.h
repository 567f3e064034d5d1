#pragma once

#include <QPixmap>

namespace trellon {

// The schematic of the topology (1..7) at its own size, sharp at the given device pixel ratio;
// a null pixmap when the drawing is missing.
QPixmap schematicImage(int topology, qreal devicePixelRatio);

}  // namespace trellon
