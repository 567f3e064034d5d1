#pragma once

#include <array>
#include <cassert>
#include <span>

#include "Complex.h"
#include "SweepLimits.h"

namespace trellon {

// The points of one traced curve, kept in fixed storage sized by the sweep's step limit. Beside
// each drawn point it keeps the frequency and the load voltage it came from, so that other views
// of the curve need no new solve. The storage is left uninitialised: only the points added are
// ever read, and a short curve then touches only the memory it uses.
class CurvePoints {
public:
    static constexpr int kCapacity = kSweepStepLimit + 1;

    void clear() { count_ = 0; }
    // x and y as drawn; the frequency in Hz and the load voltage for the 1 V source.
    void add(double x, double y, double frequencyHz, Complex loadVoltage) {
        assert(count_ < kCapacity);
        x_[count_] = x;
        y_[count_] = y;
        frequency_[count_] = frequencyHz;
        voltageRe_[count_] = loadVoltage.re;
        voltageIm_[count_] = loadVoltage.im;
        ++count_;
    }
    int size() const { return count_; }
    std::span<const double> x() const { return {x_.data(), static_cast<std::size_t>(count_)}; }
    std::span<const double> y() const { return {y_.data(), static_cast<std::size_t>(count_)}; }
    std::span<const double> frequencyHz() const {
        return {frequency_.data(), static_cast<std::size_t>(count_)};
    }
    Complex loadVoltage(int i) const { return {voltageRe_[i], voltageIm_[i]}; }

private:
    std::array<double, kCapacity> x_;
    std::array<double, kCapacity> y_;
    std::array<double, kCapacity> frequency_;
    std::array<double, kCapacity> voltageRe_;
    std::array<double, kCapacity> voltageIm_;
    int count_ = 0;
};

}  // namespace trellon
