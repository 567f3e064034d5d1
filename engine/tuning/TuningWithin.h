#pragma once

#include <string>
#include <vector>

#include "BenchCircuit.h"
#include "CircuitTuning.h"

namespace trellon {

// What of a tuning still fits a circuit after its crystals, bench settings or design changed.
struct TuningWithin {
    CircuitTuning kept;                // the entries whose part the circuit has
    std::vector<std::string> dropped;  // the parts it lacks, capacitors first, by name
};

// Keeps the capacitors `bench` lists and the trimmers and shifts of the crystals it has;
// `bench` is the circuit untuned.
TuningWithin tuningWithin(const CircuitTuning& tuning, const BenchCircuit& bench);

// How many parts a tuning changes: its capacitors, trimmers and shifted crystals.
std::size_t tunedPartCount(const CircuitTuning& tuning);

}  // namespace trellon
