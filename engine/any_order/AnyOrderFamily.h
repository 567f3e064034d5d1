#pragma once

#include <string_view>

namespace trellon {

// The all-pole responses an any-order ladder can have.
enum class AnyOrderFamily {
    Butterworth,
    Chebyshev,
    Bessel,
    Gaussian,
    GaussianTo6Db,
    GaussianTo12Db,
    LinearPhase005,  // 0.05° of equiripple phase error
    LinearPhase05,   // 0.5°
    EqualCapacitor,
    QuasiEquiripple,  // two crystals in parallel at each end
};

// The family's name as the command line spells it: "butterworth", "gaussian-6db", ...
std::string_view familyName(AnyOrderFamily family);

}  // namespace trellon
