#pragma once

#include <optional>

#include "BenchCircuit.h"
#include "TracedBand.h"

namespace trellon {

// A return loss beyond this reads "> 60 dB" and is held at it: past it the figure says nothing a
// builder can measure, and a perfect match would give no finite number at all.
inline constexpr double kReturnLossBoundDb = 60;

// The return loss the system sees at the matched filter's input port, against the system
// resistance. Both figures are held at kReturnLossBoundDb.
struct PortReturnLoss {
    double centreHz =
        0;  // the centre of the ideal curve's traced band, where the match is designed
    double centreDb = 0;
    double worstHz = 0;  // where it is smallest: the band's edges, the centre and 1 Hz apart
    double worstDb = 0;
};

// Nothing when the bench has no match, or when its circuit cannot be solved at the centre.
std::optional<PortReturnLoss> portReturnLoss(const BenchCircuit& bench, const TracedBand& band);

}  // namespace trellon
