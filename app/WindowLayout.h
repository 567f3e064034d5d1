#pragma once

#include <QRect>
#include <QSize>

// Places in the client area below the menu bar, in logical pixels.
namespace trellon::layout {

inline constexpr QSize kClientSize{905, 633};
inline constexpr QRect kSchematic{1, 0, 737, 173};
inline constexpr QRect kResultsPanel{735, 0, 169, 274};
inline constexpr QRect kViewArea{0, 176, 733, 409};
inline constexpr QRect kNormalSizeChart{1, 154, 640, 358};
inline constexpr QRect kLargeChart{0, 0, 905, 588};
inline constexpr QRect kCurveBar{0, 588, 905, 26};
inline constexpr QRect kClockBar{0, 614, 905, 19};
inline constexpr QRect kCrystalGroup{736, 276, 169, 142};
inline constexpr QRect kFilterGroup{736, 421, 169, 160};

// While the chart fills the client area, the results panel and the input groups stay over its
// right side; the plot keeps clear of that strip.
inline constexpr int kRightColumnWidth = kLargeChart.width() - kResultsPanel.left();

}  // namespace trellon::layout
