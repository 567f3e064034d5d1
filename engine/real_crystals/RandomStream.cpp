#include "RandomStream.h"

#include <cmath>

#include "CrystalFormulas.h"

namespace trellon {

namespace {

constexpr std::uint64_t rotateLeft(std::uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}

// An odd constant that spreads neighbouring sample indices far apart in splitmix64's sequence.
constexpr std::uint64_t kStreamStride = 0xD1B54A32D192ED03u;

}  // namespace

std::uint64_t RandomStream::splitMix64(std::uint64_t& state) {
    state += 0x9E3779B97F4A7C15u;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

RandomStream::RandomStream(std::uint64_t seed, std::uint64_t index) {
    std::uint64_t mixer = seed;
    mixer = splitMix64(mixer) + index * kStreamStride;
    for (std::uint64_t& word : s_) {
        word = splitMix64(mixer);
    }
    if ((s_[0] | s_[1] | s_[2] | s_[3]) == 0) {
        s_[0] = 1;  // the one state xoshiro cannot leave
    }
}

std::uint64_t RandomStream::next() {
    const std::uint64_t result = rotateLeft(s_[1] * 5, 7) * 9;
    const std::uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = rotateLeft(s_[3], 45);
    return result;
}

double RandomStream::uniform() {
    return static_cast<double>(next() >> 11) * 0x1.0p-53;
}

double RandomStream::normal() {
    const double u1 = 1 - uniform();  // (0, 1]: the logarithm stays finite
    const double u2 = uniform();
    return std::sqrt(-2 * std::log(u1)) * std::cos(kTwoPiExact * u2);
}

}  // namespace trellon
