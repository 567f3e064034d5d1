#include "PortReturnLoss.h"

#include <algorithm>
#include <cmath>

#include "BuiltFilter.h"
#include "TerminalResponse.h"

namespace trellon {

std::optional<PortReturnLoss> portReturnLoss(const BenchCircuit& bench, const TracedBand& band) {
    if (bench.network.kind == MatchKind::None) {
        return std::nullopt;
    }
    // An ideal transformer shows the system the filter's own reflection: the bench circuit of a
    // transformer match is the filter between its own terminations, of an L-network the whole
    // between the system's.
    std::vector<double> frequencies{band.centreHz(), band.lowHz()};
    const std::vector<double> traced = idealTraceFrequencies(band);
    frequencies.insert(frequencies.end(), traced.begin(), traced.end());
    frequencies.push_back(band.highHz());
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
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (points[i].solved && points[i].returnLossDb < loss.worstDb) {
            loss.worstHz = frequencies[i];
            loss.worstDb = points[i].returnLossDb;
        }
    }
    return loss;
}

}  // namespace trellon
