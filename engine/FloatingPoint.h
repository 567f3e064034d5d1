#pragma once

#include <cmath>
#include <initializer_list>

#include "CommandError.h"

namespace trellon {

// Inputs far outside any real crystal can overflow the arithmetic. Such a result ends the
// command with the floating-point error it stands for, instead of reaching a field as INF or
// NAN.
inline void requireFinite(double value) {
    if (std::isnan(value)) {
        throw CommandError("Invalid floating point operation");
    }
    if (std::isinf(value)) {
        throw CommandError("Floating point overflow");
    }
}

inline void requireFinite(std::initializer_list<double> values) {
    for (double value : values) {
        requireFinite(value);
    }
}

}  // namespace trellon
