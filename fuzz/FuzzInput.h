#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace trellon::fuzz {

// Hands out the fuzzer's bytes as small numbers and texts.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool remaining() const { return position_ < size_; }

    std::uint8_t byte() { return position_ < size_ ? data_[position_++] : 0; }

    // A number from low to high.
    int pick(int low, int high) { return low + byte() % (high - low + 1); }

    // The text up to the next newline or the end.
    std::string line() {
        std::string text;
        while (position_ < size_ && data_[position_] != '\n') {
            text += static_cast<char>(data_[position_++]);
        }
        if (position_ < size_) {
            ++position_;
        }
        return text;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

}  // namespace trellon::fuzz
