#pragma once

#include <optional>
#include <string>

#include "BenchCircuit.h"
#include "CircuitTuning.h"

namespace trellon {

// What a part of the filter is to the tuning: a capacitor as soldered, a crystal's series
// trimmer, or a crystal whose series resonance moves.
enum class TunedKind { Capacitor, Trimmer, Crystal };

// A part the builder can tune, as it stands now.
struct TunedPart {
    TunedKind kind = TunedKind::Capacitor;
    std::string name;         // as drawn: "C3", "CT2", "ZQ2"
    std::string key;          // as the tuning names it: "C3"; the crystal "ZQ2" for its trimmer
    double untuned = 0;       // pF as fitted; a trimmer's value now; a crystal's Fs untuned (Hz)
    double value = 0;         // pF now; a crystal's shift now (Hz)
    bool hasTrimmer = false;  // of a crystal: a trimmer stands in line with it
};

// How far one step goes: a capacitor 0.1 %, 1 % or 10 %, a crystal's Fs 0.1, 1 or 10 Hz.
enum class StepSize { Fine, Normal, Coarse };

// The part at `index` of `tuned` (the document's circuit with `tuning` applied; `untuned` the
// same without it); nothing when it cannot be tuned (an inductor, a network's part).
std::optional<TunedPart> tunedPartAt(const BenchCircuit& untuned, const BenchCircuit& tuned,
                                     const CircuitTuning& tuning, int index);

// The value `steps` steps (of either sign) away from `value`: a capacitor's by a ratio, so that
// a step up and one down come back, a crystal's shift by hertz.
double steppedValue(const TunedPart& part, double value, int steps, StepSize size);

// The slider's positions 0..kSliderPositions: a capacitor from half to twice its fitted value
// on a ratio scale (a trimmer over 10 pF..10 nF), a crystal's shift over -500..+500 Hz.
inline constexpr int kSliderPositions = 1000;
int sliderPosition(const TunedPart& part, double value);
double sliderValue(const TunedPart& part, int position);

// `tuning` with the part at `value`. A capacitor at its fitted value and a crystal at no shift
// leave the tuning.
CircuitTuning withValue(const CircuitTuning& tuning, const TunedPart& part, double value);

// `tuning` with a trimmer of `pf` added to the crystal `crystal` ("ZQ2"), or with its trimmer
// removed (shorted) when `pf` is nothing.
CircuitTuning withTrimmer(const CircuitTuning& tuning, const std::string& crystal,
                          std::optional<double> pf);

// The trimmer a crystal gets when one is added, pF.
inline constexpr double kNewTrimmerPf = 1000;

// Nothing for a tuning that changes nothing.
std::optional<CircuitTuning> documentTuning(const CircuitTuning& tuning);

}  // namespace trellon
