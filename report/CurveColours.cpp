#include "CurveColours.h"

#include <array>

#include "ResponseChart.h"

namespace trellon {

namespace {

constexpr std::array<QRgb, kCurveCount> kCurveColours{
    qRgb(255, 0, 0), qRgb(0, 128, 0), qRgb(0, 0, 255), qRgb(255, 0, 255), qRgb(64, 0, 0)};
constexpr std::array<QRgb, kCurveCount> kPanelColours{
    qRgb(255, 0, 0), qRgb(0, 128, 0), qRgb(0, 0, 255), qRgb(255, 0, 255), qRgb(128, 0, 0)};

}  // namespace

QColor curveColour(int k) {
    return QColor(kCurveColours.at(k));
}

QColor curvePanelColour(int k) {
    return QColor(kPanelColours.at(k));
}

}  // namespace trellon
