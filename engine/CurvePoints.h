#pragma once

#include <array>
#include <span>

namespace trellon {

// The points of one traced curve, kept in fixed storage: the band trace stops after 30000
// steps, so no curve holds more. The storage is left uninitialised: only the points added are
// ever read, and a short curve then touches only the memory it uses.
class CurvePoints {
public:
    static constexpr int kCapacity = 30001;

    void clear() { count_ = 0; }
    void add(double x, double y) {
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
