#pragma once

#include <cmath>
#include <initializer_list>

#include "CommandError.h"

namespace trellon {

// The texts of the floating-point failures, as the user has always seen them.
inline constexpr const char* kDivisionByZeroText = "Floating point division by zero";
inline constexpr const char* kOverflowText = "Floating point overflow";
inline constexpr const char* kInvalidOperationText = "Invalid floating point operation";

// Inputs far outside any real crystal can overflow the arithmetic. Such a result ends the
// command with the floating-point error it stands for, instead of reaching a field as INF or
// NAN.
inline void requireFinite(double value) {
    if (std::isnan(value)) {
        throw CommandError(kInvalidOperationText);
    }
    if (std::isinf(value)) {
        throw CommandError(kOverflowText);
    }
}

inline void requireFinite(std::initializer_list<double> values) {
    for (double value : values) {
        requireFinite(value);
    }
}

}  // namespace trellon
