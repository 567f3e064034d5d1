#pragma once

#include <optional>

#include "AnyOrderFamily.h"
#include "CoupledPrototype.h"

namespace trellon {

// A family's prototype of one order, normalised so that its band edges lie at ±1 rad/s: the
// edges are where the loss first reaches `edgeLossDb` above the least loss, coming in from
// outside the band.
struct FamilyPrototype {
    CoupledPrototype values;
    double edgeLossDb = 0;  // the ripple for Chebyshev, half power (3.0103 dB) otherwise
};

inline constexpr double kHalfPowerDb = 3.0102999566398120;

// The prototype of `family` with `order` resonators; `rippleDb` is read for Chebyshev only.
// Throws a PhrasedError for an order out of 2..16 or out of the family's table, or a ripple out
// of 0.01..3 dB.
FamilyPrototype familyPrototype(AnyOrderFamily family, int order, double rippleDb);

// Closed forms.
CoupledPrototype butterworthPrototype(int order);
// Normalised to the ripple's edges; scaled by chebyshevHalfPowerEdge to the 3 dB points.
CoupledPrototype chebyshevPrototype(int order, double rippleDb);
double chebyshevHalfPowerEdge(int order, double rippleDb);
// Every k and q equal to 1: the equal-capacitor ladder, before its scaling to the 3 dB edges.
CoupledPrototype equalElementPrototype(int order);

// Doubly terminated syntheses from the transfer functions, normalised to 3 dB at 1 rad/s.
CoupledPrototype besselPrototype(int order);
CoupledPrototype gaussianPrototype(int order);

// From published tables; the orders each table holds.
struct TableRange {
    int lowest = 0;
    int highest = 0;
};
TableRange tabulatedRange(AnyOrderFamily family);
CoupledPrototype tabulatedPrototype(AnyOrderFamily family, int order);
// The quasi-equiripple ladder, where its table has the order.
std::optional<CoupledPrototype> quasiEquiripplePrototype(int order);

}  // namespace trellon
