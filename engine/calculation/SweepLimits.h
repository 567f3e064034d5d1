#pragma once

namespace trellon {

// Each phase of the response sweep gives up after this many steps; the traced curve therefore
// never holds more than this many points plus its first one.
inline constexpr int kSweepStepLimit = 30000;

}  // namespace trellon
