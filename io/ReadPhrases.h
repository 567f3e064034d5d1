#pragma once

#include "Phrase.h"

namespace trellon {

// Why a crystal batch, a Touchstone file or a sweep could not be read or fitted, in English; the
// window's wording is keyed by the same ids.
inline constexpr PhraseTemplate kReadPhrases[] = {
    // --- the crystal batch's CSV ---
    {"csv-empty", "the file is empty"},
    {"csv-no-crystals", "the file holds no crystals"},
    {"csv-name-used", "the name %1 is already used on line %2"},
    {"csv-quote-open", "a quoted value is not closed"},
    {"csv-text-after-quote", "text follows a quoted value"},
    {"csv-no-name-column", "the header has neither a 'name' nor an 'XTAL' column"},
    {"csv-unknown-column", "unknown column %1"},
    {"csv-column-twice", "the column %1 appears twice"},
    {"csv-column-missing", "the column '%1' is missing"},
    {"csv-columns-missing", "the column '%1' or '%2' is missing"},
    {"csv-value-missing", "the value in column '%1' is missing"},
    {"csv-values-missing", "the values in columns '%1' and '%2' are both missing"},
    {"csv-not-a-number", "%1 in column %2 is not a number"},
    {"csv-more-values", "more values than columns"},
    {"csv-name-line-break", "the name holds a line break"},
    {"csv-cm-not-positive", "Cm must lie above 0"},
    {"csv-cm-disagrees", "Cm %1 fF disagrees by more than 1 % with the %2 fF that Fs and Lm give"},
    {"csv-spur-partial", "a spurious mode needs all three of '%1', '%2' and '%3', or none of them"},
    {"csv-write-name-line-break", "The crystal name %1 holds a line break"},
    // --- the Touchstone file ---
    {"ts-version-2", "the keyword %1 belongs to version 2 of the format, which is not read"},
    {"ts-second-options", "a second option line"},
    {"ts-options-after-data", "the option line comes after the data"},
    {"ts-not-s", "only S-parameters are read, not %1"},
    {"ts-no-resistance", "the option line needs a positive resistance after R"},
    {"ts-unknown-word", "the option line has the unknown word %1"},
    {"ts-not-a-number", "%1 is not a number"},
    {"ts-bad-break",
     "a line ends after %1 of the record's 9 numbers; a two-port record breaks "
     "only after S21 or S12"},
    {"ts-short-record", "the last record has %1 of its 9 numbers"},
    {"ts-frequency-range", "the frequency is out of range"},
    {"ts-frequencies-order", "the frequencies do not increase"},
    {"ts-frequency-repeats",
     "the frequency repeats the one before: the file gives too few digits for its step"},
    {"ts-value-range", "a value is out of range"},
    {"ts-no-data", "the file holds no data"},
    {"ts-write-too-large", "A value is too large for a Touchstone file in magnitude and angle"},
    // --- a sweep's CSV ---
    {"sweep-csv-frequency-column",
     "the header needs one frequency column: 'frequency_hz', 'frequency_khz' or 'frequency_mhz'"},
    {"sweep-csv-level-column", "the header needs one level column: 's21_db' or 'loss_db'"},
    {"sweep-csv-s21-positive",
     "s21_db %1 lies above 0 dB; a loss is a negative s21_db or a positive loss_db"},
    {"sweep-csv-loss-negative",
     "loss_db %1 lies below 0 dB; a loss is a positive loss_db or a negative s21_db"},
    // --- a sweep's fit ---
    {"sweep-fit", "Cannot fit the crystal in '%1'"},
    {"sweep-name-line-break", "Cannot name the crystal in %1: its file name holds a line break"},
};

consteval const PhraseTemplate& readPhrase(std::string_view id) {
    return phraseIn(kReadPhrases, id);
}

}  // namespace trellon
