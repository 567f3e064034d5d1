#pragma once

// The legend captions of the curves that the crystal tools and the bench add to the chart.
namespace trellon::texts {

inline constexpr const char* kBuiltCurve = "built";
inline constexpr const char* kAsBuiltCurve = "as built";
inline constexpr const char* kEnvelopeCurves[] = {"MC 5 %", "MC 50 %", "MC 95 %"};

}  // namespace trellon::texts
