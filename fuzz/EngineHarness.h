#pragma once

#include <cstddef>
#include <cstdint>

namespace trellon::fuzz {

// Runs one calculation drawn from the bytes: topology, response, level mode, curve, overlay,
// separator, then the seven field texts, one per line. Returns false when it completed with a
// figure that is not finite; messages and command errors are proper endings.
bool CheckCalculation(const std::uint8_t* data, std::size_t size);

// Converts and formats the text drawn from the bytes. Returns false when a formatted value
// does not convert back to the same text at its precision.
bool CheckNumberText(const std::uint8_t* data, std::size_t size);

}  // namespace trellon::fuzz
