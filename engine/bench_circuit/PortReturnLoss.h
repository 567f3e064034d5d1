#pragma once

#include <optional>
#include <span>
#include <utility>

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
    // Where it is smallest within the pass band: its edges, the centre and 1 Hz apart.
    double worstHz = 0;
    double worstDb = 0;
    double passLowHz = 0;  // the pass band it was sought in
    double passHighHz = 0;
};

// How far below the least loss the pass band a match is judged in ends.
inline constexpr double kPassBandDropDb = 1;

// The pass band a match is judged in: the outermost points of `levelsDb` (at `frequenciesHz`)
// within kPassBandDropDb of their highest. Further out even a perfectly terminated filter
// reflects more (a lossless one 6.9 dB of return loss at 1 dB of loss, 3 dB at 3 dB), and the
// smallest return loss would tell of the skirts, not of the match. Nothing when no level is
// finite.
std::optional<std::pair<double, double>> passBand(std::span<const double> frequenciesHz,
                                                  std::span<const double> levelsDb);

// Nothing when the bench has no match, or when its circuit cannot be solved at the centre of
// `band`. The smallest return loss is sought between passLowHz and passHighHz.
std::optional<PortReturnLoss> portReturnLoss(const BenchCircuit& bench, const TracedBand& band,
                                             double passLowHz, double passHighHz);

}  // namespace trellon
