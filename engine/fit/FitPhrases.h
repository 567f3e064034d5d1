#pragma once

#include "Phrase.h"

namespace trellon {

// Why a sweep cannot be fitted, in English; the window's wording is keyed by the same ids.
inline constexpr PhraseTemplate kFitPhrases[] = {
    {"fit-missing-values", "the sweep has missing values"},
    {"fit-few-points", "the sweep has %1 points; a fit needs at least %2"},
    {"fit-not-finite", "the sweep has a value that is not a finite number"},
    {"fit-frequencies", "the frequencies of the sweep must be positive and increase"},
    {"fit-port", "the fixture's port resistance must be a positive number"},
    {"fit-loss", "the fixture loss must lie from 0 to 100 dB"},
    {"fit-edge", "the sweep holds no resonance: its least loss lies at its edge"},
    {"fit-no-rise",
     "the sweep holds no resonance: the loss does not rise by 3 dB beside its least value"},
    {"fit-no-bandwidth", "the sweep holds no resonance: its 3 dB bandwidth cannot be measured"},
    {"fit-iterations", "the fit does not converge in %1 iterations"},
    {"fit-overflow", "the fit does not converge: the circuit leaves the range of numbers"},
    {"fit-leaves-sweep", "the fit does not converge: its resonance leaves the sweep"},
    {"fit-unusable", "the fitted crystal cannot be used"},
    {"fit-loss-too-high",
     "the fixture loss of %1 dB is more than the sweep allows: its peak lies %2 dB above the "
     "fixture's own level, which would need Rm at or below 0"},
    // Why a fit that gave a crystal cannot be trusted.
    {"warn-residual", "the RMS residual %1 is %2 times the sweep's noise %3"},
    {"warn-at-bound", "%1 = %2 lies at the bound of the search"},
    {"warn-c0-small", "C0 = %1 pF is at or below 0.1 pF"},
    {"warn-q-range", "Q = %1 lies outside 1e3 to 1e7"},
    {"warn-fs-near-edge",
     "Fs lies %1 Hz from the sweep's edge, within three 3 dB bandwidths (%2 Hz)"},
    {"warn-spurious", "a spurious mode %1 kHz above Fs lies inside the sweep"},
    {"warn-spur-sparse",
     "only %2 of the sweep's points lie in the 3 dB width of the spurious mode %1 kHz above Fs; "
     "at least 3 are needed"},
};

consteval const PhraseTemplate& fitPhrase(std::string_view id) {
    return phraseIn(kFitPhrases, id);
}

}  // namespace trellon
