#pragma once

#include <QColor>

namespace trellon {

// Colour of curve k (0..4) on the chart.
QColor curveColour(int k);

// Colour of curve k's caption in its status panel; only the fifth differs from its curve.
QColor curvePanelColour(int k);

}  // namespace trellon
