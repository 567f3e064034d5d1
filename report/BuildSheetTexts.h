#pragma once

// The captions of the build sheet's chart.
namespace trellon::texts {

inline constexpr const char* kSheetBuiltCurve = "as built";
inline constexpr const char* kSheetIdealCurve = "ideal";

}  // namespace trellon::texts
