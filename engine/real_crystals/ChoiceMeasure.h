#pragma once

namespace trellon {

// What a choice of crystals minimises. Absolute: the worst deviation (dB) of the built filter's
// attenuation from the ideal curve's at the measure's frequencies. Shape: the same after the best
// common frequency shift and the best common level offset, so that crystals matched to one
// another score well however far their common centre lies from the design's.
enum class ChoiceMeasure { Absolute, Shape };

}  // namespace trellon
