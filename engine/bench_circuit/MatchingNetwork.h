#pragma once

#include "BuiltCircuit.h"

namespace trellon {

// How each end of the filter is matched to the system resistance.
enum class MatchKind { None, SeriesLShuntC, SeriesCShuntL, Transformer };

// The network between the system resistance and one of the filter's terminations. An
// L-network has its series element on the side of the lower resistance and its shunt element
// on the side of the higher one; the transformer's turns ratio counts filter side to system side.
struct MatchingNetwork {
    MatchKind kind = MatchKind::None;  // None also when the two resistances are equal
    double seriesValue = 0;            // H for SeriesLShuntC, F for SeriesCShuntL
    double shuntValue = 0;             // F for SeriesLShuntC, H for SeriesCShuntL
    bool seriesOnFilterSide = false;   // the filter's termination is the lower resistance
    double turnsRatio = 1;             // Transformer: sqrt(filterOhm / systemOhm)
};

// The network of `kind` from `systemOhm` to `filterOhm` (both > 0), an L-network designed at
// `frequencyHz` (> 0). Throws std::invalid_argument for values out of range.
MatchingNetwork designMatchingNetwork(MatchKind kind, double systemOhm, double filterOhm,
                                      double frequencyHz);

// `circuit` with an L-network of `network` at each end and source and load at `systemOhm`.
// A transformer or no network leaves the circuit as it is: an ideal transformer shows the
// filter its own termination and leaves the level of the load voltage behind the 1 V source
// unchanged, since it raises the source voltage by the ratio that it lowers the load voltage.
BuiltCircuit withMatchingNetworks(const BuiltCircuit& circuit, const MatchingNetwork& network,
                                  double systemOhm);

}  // namespace trellon
