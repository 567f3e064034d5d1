#pragma once

#include <string>

#include "AnyOrderFamily.h"
#include "AnyOrderSettings.h"
#include "SettingTables.h"

namespace trellon {

// A ladder of any order designed from the crystal, as typed in its window: the crystal's four
// field texts and the bandwidth exactly as typed (either decimal mark), the order, the family
// and the Chebyshev ripple. The level it is traced at is the design's.
struct ProjectAnyOrder {
    std::string Fo;         // kHz
    std::string Ld;         // mH
    std::string Cs;         // pF
    std::string Rd;         // ohm
    std::string bandwidth;  // Hz
    int order = settings::wholeDefault(settings::kOrder);
    AnyOrderFamily family = AnyOrderFamily::Butterworth;
    double rippleDb = settings::kChebyshevRipple.defaultValue;

    bool operator==(const ProjectAnyOrder&) const = default;
};

}  // namespace trellon
