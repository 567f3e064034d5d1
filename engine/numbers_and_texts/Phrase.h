#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "CommandError.h"

namespace trellon {

// The wording of one part of a refusal, by an id the window's translation is keyed by: "%1" to
// "%9" stand for its arguments.
struct PhraseTemplate {
    std::string_view id;
    std::string_view english;
};

// The template with the given id from a table; an id the table lacks does not compile.
consteval const PhraseTemplate& phraseIn(std::span<const PhraseTemplate> table,
                                         std::string_view id) {
    for (const PhraseTemplate& phrase : table) {
        if (phrase.id == id) {
            return phrase;
        }
    }
    throw "no phrase with this id";
}

// A value in a phrase; a quoted one is a name or a text from the user's file, shown in quotes
// with its control characters escaped and cut when long (see QuotedText.h).
struct PhraseArgument {
    std::string text;
    bool quoted = false;
};

inline PhraseArgument quotedArgument(std::string_view text) {
    return {std::string(text), true};
}

// One part of a refusal: its template and its arguments.
struct Phrase {
    const PhraseTemplate* text = nullptr;
    std::vector<PhraseArgument> arguments;
};

// The quotes a language puts around a quoted argument, and its word for the length of a cut one.
struct QuoteMarks {
    std::string_view open;
    std::string_view close;
    std::string_view bytes;
};

inline constexpr QuoteMarks kEnglishQuotes{"'", "'", "bytes"};

// The pattern with each "%n" replaced by the n-th argument; a "%" before anything else stays.
std::string filledTemplate(std::string_view pattern, const std::vector<PhraseArgument>& arguments,
                           const QuoteMarks& marks);

// The highest n of a "%n" in the pattern.
int argumentCount(std::string_view pattern);

// The phrases in English, joined by ": ".
std::string englishText(std::span<const Phrase> phrases);

// A refusal worded in phrases, so that the window can say it in its own language; its text is
// the command line's English.
class PhrasedError : public CommandError {
public:
    explicit PhrasedError(std::vector<Phrase> phrases);

    const std::vector<Phrase>& phrases() const { return phrases_; }

private:
    std::vector<Phrase> phrases_;
};

}  // namespace trellon
