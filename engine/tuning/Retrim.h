#pragma once

#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "BenchCircuit.h"
#include "CalculatedDesign.h"
#include "CircuitTuning.h"
#include "ParallelTasks.h"

namespace trellon {

// What the retrim may change and how.
struct RetrimSettings {
    // The bench capacitors it may change, by name ("C3", "Cin+C1"); empty: all of them.
    std::vector<std::string> freeCapacitors;
    // The capacitors stay as they are: only the trimmers are chosen.
    bool onlyTrimmers = false;
    // Mirror capacitors (the first and the last, ...) keep equal values.
    bool symmetric = false;
    // A trimmer in line with each crystal, chosen within [min, max] pF or left out (shorted);
    // nothing: no trimmers.
    std::optional<double> trimmerMinPf;
    std::optional<double> trimmerMaxPf;
    int measurePoints = 41;  // frequencies of the shape measure over the ideal band
    int threads = 0;         // 0: one per core; the result does not depend on it
};

// One capacitor the retrim changed, as soldered.
struct RetrimChange {
    std::string name;
    double fromPf = 0;
    double toPf = 0;
};

// One crystal's trimmer: its value, or nothing when the crystal stays shorted.
struct RetrimTrimmer {
    std::string crystal;  // "ZQ2"
    std::optional<double> pf;
};

struct RetrimResult {
    CircuitTuning tuning;      // the retrimmed values over the tuning it started from
    double measureBefore = 0;  // dB, the shape measure of the circuit it started from
    double measureAfter = 0;   // dB, of the retrimmed circuit
    // The common frequency shift (Hz, positive: the filter lies higher) each measure was taken
    // at: a shape may match at a centre the builder's oscillator must follow.
    double shiftBeforeHz = 0;
    double shiftAfterHz = 0;
    // With a series: the measure of the design's values plainly rounded (the bench as fitted).
    std::optional<double> plainRoundingMeasure;
    std::vector<RetrimChange> capacitors;  // every capacitor it might change, in ladder order
    std::vector<RetrimTrimmer> trimmers;   // with trimmers: every crystal position, ZQ1 first
};

// Finds the capacitor values (and trimmers) that minimise the shape measure of the circuit as
// placed and fitted (`bench` with `start` applied) against the design's ideal curve: continuous
// values first, from the present ones, each above 0; then, with a series in `bench`, standard
// values (single or pairs as the bench rounds) by coordinate descent from plain rounding of the
// continuous optimum, never ending worse than plain rounding. Progress 0..1 on the caller's
// thread; nothing when cancelled. Throws CommandError for a free capacitor the circuit lacks or
// settings out of range.
std::optional<RetrimResult> retrim(const CalculatedDesign& design, const BenchCircuit& bench,
                                   const BenchSettings& benchSettings, const CircuitTuning& start,
                                   const RetrimSettings& settings, const ProgressCallback& progress,
                                   std::atomic<bool>& cancel);

}  // namespace trellon
