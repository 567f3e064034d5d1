#pragma once

#include <cstddef>

namespace trellon {

// The most bytes read from each kind of file (docs/file-limits.md). They are checked while
// reading, so that a device or a FIFO without end is refused as a huge file is.
inline constexpr std::size_t kMebibyte = std::size_t{1} << 20;
inline constexpr std::size_t kCrystalBatchLimit = 4 * kMebibyte;
inline constexpr std::size_t kTouchstoneLimit = 16 * kMebibyte;
inline constexpr std::size_t kSweepCsvLimit = 16 * kMebibyte;
inline constexpr std::size_t kProjectFileLimit = 64 * kMebibyte;
inline constexpr std::size_t kDesignFileLimit = 1 * kMebibyte;

}  // namespace trellon
