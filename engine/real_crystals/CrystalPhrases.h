#pragma once

#include "Phrase.h"

namespace trellon {

// Why a measured crystal or a batch cannot be used, in English; the window's wording is keyed by
// the same ids.
inline constexpr PhraseTemplate kCrystalPhrases[] = {
    {"crystal-fs-range", "Fs must lie from 10 kHz to 500 MHz"},
    {"crystal-lm-range", "Lm must lie from 1 µH to 100 H"},
    {"crystal-rm-range", "Rm must lie above 1 mohm and below 100 kohm"},
    {"crystal-c0-range", "C0 must lie from 0 to 1000 pF"},
    {"batch-one-per-position", "the filter needs %1 crystals, one per position"},
    {"batch-file-one-per-position",
     "the filter needs %1 crystals, one per position; the file holds %2"},
    {"batch-file-too-few",
     "the filter needs at least %1 crystals to choose from; the file holds %2"},
    {"batch-too-few", "the batch holds fewer crystals than the filter's %1"},
    {"built-not-finite", "the filter as built has no finite loss, band or attenuation at Fo"},
    {"mc-settings-range", "Monte-Carlo settings out of range"},
    {"mc-sample-not-finite",
     "sample %1 of the Monte-Carlo has no finite loss, ripple or bandwidth"},
};

consteval const PhraseTemplate& crystalPhrase(std::string_view id) {
    return phraseIn(kCrystalPhrases, id);
}

}  // namespace trellon
