#pragma once

#include <array>
#include <cassert>
#include <span>

#include "SweepLimits.h"

namespace trellon {

// The points of one traced curve, kept in fixed storage sized by the sweep's step limit. The
// storage is left uninitialised: only the points added are
// ever read, and a short curve then touches only the memory it uses.
class CurvePoints {
public:
    static constexpr int kCapacity = kSweepStepLimit + 1;

    void clear() { count_ = 0; }
    void add(double x, double y) {
        assert(count_ < kCapacity);
        x_[count_] = x;
        y_[count_] = y;
        ++count_;
    }
    int size() const { return count_; }
    std::span<const double> x() const { return {x_.data(), static_cast<std::size_t>(count_)}; }
    std::span<const double> y() const { return {y_.data(), static_cast<std::size_t>(count_)}; }

private:
    std::array<double, kCapacity> x_;
    std::array<double, kCapacity> y_;
    int count_ = 0;
};

}  // namespace trellon
