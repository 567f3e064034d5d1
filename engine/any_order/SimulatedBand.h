#pragma once

#include "BuiltFilterSolver.h"

namespace trellon {

// The passband of a simulated circuit: the outermost frequencies where its level first comes
// within `edgeLossDb` of its highest, coming in from outside the band.
struct SimulatedBand {
    double lowerHz = 0;
    double upperHz = 0;
    double highestLevelDb = 0;  // load voltage level for the 1 V source

    double widthHz() const { return upperHz - lowerHz; }
    double centreHz() const { return 0.5 * (lowerHz + upperHz); }
};

// Searches from `centreHz` ± `halfSpanHz`, widening the span until both of its ends lie outside
// the band. `solver` is prepared with the circuit. Returns a band of zero width when the level is
// nowhere finite.
SimulatedBand simulatedBand(BuiltFilterSolver& solver, double centreHz, double halfSpanHz,
                            double edgeLossDb);

}  // namespace trellon
