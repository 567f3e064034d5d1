#pragma once

namespace trellon {

// The input texts a new design starts with, in the window and on the command line alike.
namespace startup {
inline constexpr const char* kFo = "8863.682";  // kHz
inline constexpr const char* kLd = "17.15";     // mH
inline constexpr const char* kCs = "3.3";       // pF
inline constexpr const char* kRd = "5.7";       // ohm
inline constexpr const char* kCcor = "82";      // pF
inline constexpr const char* kDF = "3100";      // Hz
inline constexpr const char* kLevel = "-10";    // dB
}  // namespace startup

}  // namespace trellon
