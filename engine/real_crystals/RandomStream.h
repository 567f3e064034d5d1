#pragma once

#include <array>
#include <cstdint>

namespace trellon {

// The random numbers of the Monte-Carlo, written out so that every compiler and standard
// library gives the same sequence: splitmix64 seeds xoshiro256**, one stream per sample taken
// from the seed and the sample's index, and Box-Muller turns uniform numbers into normal ones.
class RandomStream {
public:
    // The stream of sample `index` of the run seeded with `seed`.
    RandomStream(std::uint64_t seed, std::uint64_t index);

    // A stream starting from the given xoshiro256** state (not all zero).
    explicit RandomStream(const std::array<std::uint64_t, 4>& state) : s_(state) {}

    // One step of splitmix64: advances `state` and returns its output.
    static std::uint64_t splitMix64(std::uint64_t& state);

    // The next 64 bits of xoshiro256**.
    std::uint64_t next();

    // Uniform in [0, 1), 53 bits.
    double uniform();

    // Standard normal, by Box-Muller from two uniforms (the cosine branch only).
    double normal();

private:
    std::array<std::uint64_t, 4> s_;
};

}  // namespace trellon
