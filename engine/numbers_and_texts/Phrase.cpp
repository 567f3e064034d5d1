#include "Phrase.h"

#include <algorithm>

#include "QuotedText.h"

namespace trellon {

namespace {

// The argument's number when a "%1" to "%9" starts at the position, else 0.
int argumentAt(std::string_view pattern, std::size_t position) {
    if (pattern[position] != '%' || position + 1 >= pattern.size()) {
        return 0;
    }
    const char digit = pattern[position + 1];
    return digit >= '1' && digit <= '9' ? digit - '0' : 0;
}

}  // namespace

std::string filledTemplate(std::string_view pattern, const std::vector<PhraseArgument>& arguments,
                           const QuoteMarks& marks) {
    std::string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const int n = argumentAt(pattern, i);
        if (n == 0 || static_cast<std::size_t>(n) > arguments.size()) {
            text += pattern[i];
            continue;
        }
        const PhraseArgument& argument = arguments[static_cast<std::size_t>(n - 1)];
        text += argument.quoted ? quotedWith(argument.text, marks.open, marks.close, marks.bytes)
                                : argument.text;
        ++i;
    }
    return text;
}

int argumentCount(std::string_view pattern) {
    int count = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        count = std::max(count, argumentAt(pattern, i));
    }
    return count;
}

std::string englishText(std::span<const Phrase> phrases) {
    std::string text;
    for (const Phrase& phrase : phrases) {
        if (!text.empty()) {
            text += ": ";
        }
        text += filledTemplate(phrase.text->english, phrase.arguments, kEnglishQuotes);
    }
    return text;
}

PhrasedError::PhrasedError(std::vector<Phrase> phrases)
    : CommandError(englishText(phrases)), phrases_(std::move(phrases)) {}

}  // namespace trellon
