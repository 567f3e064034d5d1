#pragma once

#include "AnyOrderDesign.h"

namespace trellon::bench {

// The ladder the speed of the any-order design and of the tuning window is measured on: a
// 16-crystal 0.1 dB Chebyshev of 2400 Hz on 8.86 MHz crystals.
inline AnyOrderInputs sixteenCrystalLadder() {
    AnyOrderInputs inputs;
    inputs.family = AnyOrderFamily::Chebyshev;
    inputs.order = 16;
    inputs.rippleDb = 0.1;
    inputs.bandwidthHz = 2400;
    inputs.crystal = {8.86e6, 17.15e-3, 3.3e-12, 1};
    return inputs;
}

}  // namespace trellon::bench
