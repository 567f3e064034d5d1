#pragma once

#include <array>
#include <cstddef>
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

inline constexpr std::size_t kAnyOrderFamilyCount = 10;

// The families' names as the command line and the project file spell them, in the order of the
// enumeration.
inline constexpr std::array<std::string_view, kAnyOrderFamilyCount> kAnyOrderFamilyNames = {
    "butterworth",   "chebyshev",         "bessel",           "gaussian", "gaussian-6db",
    "gaussian-12db", "linear-phase-0.05", "linear-phase-0.5", "equal-c",  "qer"};

// The family's name as the command line spells it: "butterworth", "gaussian-6db", ...
inline std::string_view familyName(AnyOrderFamily family) {
    return kAnyOrderFamilyNames.at(static_cast<std::size_t>(family));
}

}  // namespace trellon
