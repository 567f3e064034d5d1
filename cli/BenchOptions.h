#pragma once

#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <vector>

#include "BenchCircuit.h"
#include "BenchReport.h"
#include "CalculatedDesign.h"

namespace trellon::cli {

// The options that take the design to the bench: standard values, the board's stray and a match
// to the system resistance.
struct BenchOptions {
    int eSeries = settings::wholeDefault(settings::kESeries);  // 0: "none", nothing is rounded
    std::optional<double> parallelTolerancePercent;
    double strayPf = settings::kBenchStray.defaultValue;
    std::optional<MatchKind> match;
    double systemOhm = settings::kSystemOhm.defaultValue;

    // The bench block is printed when something is rounded or matched.
    bool any() const { return eSeries != 0 || match.has_value(); }
    // The stray is compensated only with rounding; without it, it stays off the bench circuit.
    BenchSettings settings() const;
};

// Takes the option `name` with its value when it is one of the bench options; returns false for
// any other name. Throws UsageError for a value it cannot take.
bool takeBenchOption(BenchOptions& options, const std::string& name, const std::string& value);

inline constexpr const char* kBenchOptionNames[] = {
    settings::kESeries.option.data(), settings::kParallelTolerance.option.data(),
    settings::kBenchStray.option.data(), settings::kSystemOhm.option.data(),
    settings::kMatch.option.data()};

std::string benchUsageText();

// The bench circuit of a completed calculation, solved on the built filter's grid, with its
// report block. `asBuilt` is the circuit as built to start from (the crystals to use).
struct BenchOutputs {
    BenchCircuit bench;
    BenchResult result;
    BenchReportLines lines;
};

BenchOutputs makeBenchOutputs(const CalculatedDesign& design, const BenchOptions& options,
                              const BuiltCircuit& asBuilt, char decimalSeparator);

// The JSON object "bench": the capacitors by schematic name (a part standing for the capacitors
// of one node lists them under "merges") and the network at each end.
nlohmann::ordered_json benchJson(const BenchOutputs& outputs);

// The JSON object "built": the bench circuit's figures and, when matched, the return loss at the
// system port at the band's centre ("returnLossDb") and its smallest in the band
// ("worstReturnLossDb"), both held at kReturnLossBoundDb.
nlohmann::ordered_json builtFiguresJson(const BenchResult& result);

}  // namespace trellon::cli
