#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "BenchCircuit.h"

namespace trellon {

// What the builder changes on the filter as placed and fitted, by the names the parts list gives:
// a capacitor's value as soldered (pF; the board's stray stays beside it), a crystal's series
// trimmer (pF; a crystal without one is shorted), a crystal's series resonance moved (Hz).
struct CircuitTuning {
    std::map<std::string, double> capacitorsPf;  // "C3", "Cin+C1": the bench's capacitor names
    std::map<std::string, double> trimmersPf;    // "ZQ2": its trimmer, soldered as "CT2"
    std::map<std::string, double> fsShiftsHz;    // "ZQ2"

    bool empty() const { return capacitorsPf.empty() && trimmersPf.empty() && fsShiftsHz.empty(); }
    bool operator==(const CircuitTuning&) const = default;
};

// The name of the trimmer in line with the crystal position `crystalName` ("ZQ2" -> "CT2").
std::string trimmerName(const std::string& crystalName);

// The crystal whose trimmer `circuit.parts[index]` is ("ZQ2" for "CT2" right after ZQ2); nothing
// for any other part.
std::optional<std::string> trimmedCrystal(const BuiltCircuit& circuit, std::size_t index);

// The series resonance of a crystal part's main arm, Hz.
double crystalFsHz(const BuiltPart& crystal);

// `bench` with `tuning` applied. Each capacitor named is soldered at its value: its part in the
// circuit holds that value and its stray, and its entry in `capacitors` the value (as a standard
// value or pair of the bench's series when it is one). Each trimmer stands as the series
// capacitor "CTk" right after its crystal (towards the output), with an entry of its own after the
// capacitor before it. Each crystal named has its motional inductance scaled so that its main
// arm's series resonance moves by the shift (its other arms stay). Throws CommandError naming
// a part the circuit lacks, or a value that is not finite and positive (a shift may be of either
// sign but must leave the resonance positive).
BenchCircuit tunedBenchCircuit(const BenchCircuit& bench, const CircuitTuning& tuning,
                               const BenchSettings& settings);

}  // namespace trellon
