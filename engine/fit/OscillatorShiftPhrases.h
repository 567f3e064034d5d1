#pragma once

#include "Phrase.h"

namespace trellon {

// Why a crystal measured in an oscillator at two load capacitances cannot be worked out, in
// English; the window's wording is keyed by the same ids.
inline constexpr PhraseTemplate kOscillatorShiftPhrases[] = {
    {"shift-frequency-positive", "F1 and F2 must lie above 0 kHz"},
    {"shift-load-positive", "CL1 and CL2 must lie above 0 pF"},
    {"shift-load-step",
     "CL1 and CL2 must differ by at least 5 % of C0 plus the smaller of them; closer loads leave "
     "Fs to the frequency counter's error"},
    {"shift-order", "the frequency at the larger load capacitance must be the lower one"},
    {"shift-no-crystal", "no crystal oscillates at these two frequencies with these loads"},
};

consteval const PhraseTemplate& oscillatorShiftPhrase(std::string_view id) {
    return phraseIn(kOscillatorShiftPhrases, id);
}

}  // namespace trellon
