#pragma once

#include <cstddef>
#include <cstdint>

namespace trellon::fuzz {

// Reads a project file from the bytes. Returns false when it accepted a file that, saved again
// with the fields it does not know or afresh, does not read back as the same project; a command
// error is a proper ending.
bool CheckProjectFile(const std::uint8_t* data, std::size_t size);

}  // namespace trellon::fuzz
