#pragma once

#include "Phrase.h"

namespace trellon {

// Why a project file could not be read, in English; the window's wording is keyed by the same
// ids. %1 is the field's dotted path, as "spreads.sigmaFsHz" or "batch[2]".
inline constexpr PhraseTemplate kProjectPhrases[] = {
    // --- the file as a whole ---
    {"project-not-json", "this is not valid JSON"},
    {"project-double-range", "it holds a number beyond the range of a double"},
    {"project-not-project", "this is not a Trellon project"},
    {"project-too-deep", "it nests deeper than %1 levels"},
    {"project-unknown-too-large", "its unknown fields take more than %1 bytes"},
    {"project-version-form", "the field %1 must be of the form major.minor, such as \"1.0\""},
    {"project-version-newer", "the field %1 is %2, newer than the %3.x this program reads"},
    // --- a field's kind ---
    {"field-missing", "the field %1 is missing"},
    {"field-text", "the field %1 must be a text"},
    {"field-number", "the field %1 must be a number"},
    {"field-object", "the field %1 must be an object"},
    {"field-array", "the field %1 must be an array"},
    {"field-one-of", "the field %1 must be one of %2"},
    {"field-pair", "the field %1 must be a pair of numbers [re, im]"},
    // --- a field's value ---
    {"field-not-negative", "the field %1 must be 0 or more"},
    {"field-positive", "the field %1 must be above 0"},
    {"field-whole", "the field %1 must be a whole number from %2 to %3"},
    {"field-whole-from", "the field %1 must be a whole number from %2"},
    {"field-at-least", "the field %1 must be %2 or more"},
    {"field-above", "the field %1 must be above %2"},
    {"field-from-to", "the field %1 must be from %2 to %3"},
    {"field-from-below", "the field %1 must be from %2 to below %3"},
    {"field-above-at-most", "the field %1 must be above %2 and at most %3"},
    {"field-above-below", "the field %1 must be above %2 and below %3"},
    {"field-product", "the field %1 times %2 must not exceed %3"},
    {"field-per-frequency", "the field %1 must hold one value per frequency"},
    {"field-frequencies", "the field %1 must hold increasing frequencies from 0"},
    {"field-e-series", "the field %1 must be 0, 6, 12, 24, 48 or 96"},
    // --- the batch and the placement ---
    {"field-crystal", "the crystal %1"},
    {"field-name-repeats", "the field %1 repeats the name %2"},
    {"field-not-in-batch", "the field %1 names %2, which is not in the batch"},
    {"field-placed-twice", "the field %1 places %2 a second time"},
    // --- the tuning ---
    {"field-part-name", "the field %1 must name each part in 1 to %2 characters"},
};

consteval const PhraseTemplate& projectPhrase(std::string_view id) {
    return phraseIn(kProjectPhrases, id);
}

}  // namespace trellon
