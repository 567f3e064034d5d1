#include "MatchingNetwork.h"

#include <cmath>
#include <stdexcept>

#include "CrystalFormulas.h"

namespace trellon {

namespace {

bool isPositive(double value) {
    return value > 0 && std::isfinite(value);
}

// The network's two parts in ladder order from the system side towards the filter.
std::vector<BuiltPart> partsFromSystemSide(const MatchingNetwork& n, const std::string& suffix) {
    const bool seriesL = n.kind == MatchKind::SeriesLShuntC;
    BuiltPart series;
    series.kind = seriesL ? BuiltPartKind::SeriesInductor : BuiltPartKind::SeriesCapacitor;
    series.name = (seriesL ? "L" : "C") + suffix;
    series.value = n.seriesValue;
    BuiltPart shunt;
    shunt.kind = seriesL ? BuiltPartKind::ShuntCapacitor : BuiltPartKind::ShuntInductor;
    shunt.name = (seriesL ? "C" : "L") + suffix;
    shunt.value = n.shuntValue;
    if (n.seriesOnFilterSide) {
        return {shunt, series};
    }
    return {series, shunt};
}

}  // namespace

MatchingNetwork designMatchingNetwork(MatchKind kind, double systemOhm, double filterOhm,
                                      double frequencyHz) {
    if (!isPositive(systemOhm) || !isPositive(filterOhm) || !isPositive(frequencyHz)) {
        throw std::invalid_argument("a matching network needs positive resistances and frequency");
    }
    MatchingNetwork network;
    if (kind == MatchKind::None || systemOhm == filterOhm) {
        return network;
    }
    network.kind = kind;
    if (kind == MatchKind::Transformer) {
        network.turnsRatio = std::sqrt(filterOhm / systemOhm);
        return network;
    }
    const double low = std::min(systemOhm, filterOhm);
    const double high = std::max(systemOhm, filterOhm);
    const double q = std::sqrt(high / low - 1);
    const double seriesReactance = q * low;
    const double shuntReactance = high / q;
    const double omega = kTwoPi * frequencyHz;
    network.seriesOnFilterSide = filterOhm < systemOhm;
    if (kind == MatchKind::SeriesLShuntC) {
        network.seriesValue = seriesReactance / omega;
        network.shuntValue = 1 / (omega * shuntReactance);
    } else {
        network.seriesValue = 1 / (omega * seriesReactance);
        network.shuntValue = shuntReactance / omega;
    }
    return network;
}

BuiltCircuit withMatchingNetworks(const BuiltCircuit& circuit, const MatchingNetwork& network,
                                  double systemOhm) {
    if (network.kind == MatchKind::None || network.kind == MatchKind::Transformer) {
        return circuit;
    }
    BuiltCircuit matched;
    matched.sourceResistance = systemOhm;
    matched.loadResistance = systemOhm;
    const std::vector<BuiltPart> input = partsFromSystemSide(network, "in");
    matched.parts = input;
    matched.parts.insert(matched.parts.end(), circuit.parts.begin(), circuit.parts.end());
    // The output network is the input one seen from the load.
    const std::vector<BuiltPart> output = partsFromSystemSide(network, "out");
    matched.parts.insert(matched.parts.end(), output.rbegin(), output.rend());
    numberLadderNodes(matched);
    return matched;
}

}  // namespace trellon
