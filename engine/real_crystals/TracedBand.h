#pragma once

#include <optional>

namespace trellon {

// The band a calculation traced at its level: from its lower edge up to its upper edge, in Hz.
// It can only hold a band whose lower edge lies below its upper edge, so that whatever takes one
// has a band to work on.
class TracedBand {
public:
    // Nothing unless lowHz < highHz.
    static std::optional<TracedBand> between(double lowHz, double highHz) {
        if (!(lowHz < highHz)) {
            return std::nullopt;
        }
        return TracedBand(lowHz, highHz);
    }

    double lowHz() const { return lowHz_; }
    double highHz() const { return highHz_; }
    double widthHz() const { return highHz_ - lowHz_; }
    double centreHz() const { return (lowHz_ + highHz_) / 2; }

private:
    TracedBand(double lowHz, double highHz) : lowHz_(lowHz), highHz_(highHz) {}

    double lowHz_;
    double highHz_;
};

}  // namespace trellon
