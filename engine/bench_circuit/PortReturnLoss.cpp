#include "PortReturnLoss.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "BuiltFilter.h"
#include "TerminalResponse.h"

namespace trellon {

std::optional<std::pair<double, double>> passBand(std::span<const double> frequenciesHz,
                                                  std::span<const double> levelsDb) {
    double highest = -std::numeric_limits<double>::infinity();
    for (double level : levelsDb) {
        if (std::isfinite(level)) {
            highest = std::max(highest, level);
        }
    }
    std::optional<std::pair<double, double>> band;
    for (std::size_t i = 0; i < levelsDb.size(); ++i) {
        if (std::isfinite(levelsDb[i]) && levelsDb[i] >= highest - kPassBandDropDb) {
            band = std::pair(band ? band->first : frequenciesHz[i], frequenciesHz[i]);
        }
    }
    return band;
}

std::optional<PortReturnLoss> portReturnLoss(const BenchCircuit& bench, const TracedBand& band,
                                             double passLowHz, double passHighHz) {
    if (bench.network.kind == MatchKind::None) {
        return std::nullopt;
    }
    // An ideal transformer shows the system the filter's own reflection: the bench circuit of a
    // transformer match is the filter between its own terminations, of an L-network the whole
    // between the system's.
    std::vector<double> frequencies{band.centreHz(), passLowHz};
    for (double f : idealTraceFrequencies(band)) {
        if (f > passLowHz && f < passHighHz) {
            frequencies.push_back(f);
        }
    }
    frequencies.push_back(passHighHz);
    const std::vector<TerminalPoint> points = inputTerminal(bench.circuit, frequencies);
    if (!points.front().solved || std::isnan(points.front().returnLossDb)) {
        return std::nullopt;
    }
    const auto bounded = [](double db) { return std::min(db, kReturnLossBoundDb); };
    PortReturnLoss loss;
    loss.centreHz = frequencies.front();
    loss.centreDb = bounded(points.front().returnLossDb);
    loss.worstHz = loss.centreHz;
    loss.worstDb = loss.centreDb;
    loss.passLowHz = passLowHz;
    loss.passHighHz = passHighHz;
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (points[i].solved && points[i].returnLossDb < loss.worstDb) {
            loss.worstHz = frequencies[i];
            loss.worstDb = points[i].returnLossDb;
        }
    }
    return loss;
}

}  // namespace trellon
