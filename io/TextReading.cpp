#include "TextReading.h"

#include <cmath>

#include "CommandError.h"
#include "FileContentError.h"
#include "NumberText.h"

namespace trellon {

std::vector<NumberedLine> splitLines(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    }
    std::vector<NumberedLine> lines;
    int number = 1;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        std::string_view text = bytes.substr(0, end);
        if (text.ends_with('\r')) {
            text.remove_suffix(1);
        }
        lines.push_back({number++, text});
        if (end == std::string_view::npos) {
            break;
        }
        bytes.remove_prefix(end + 1);
    }
    return lines;
}

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

std::optional<double> numberIn(std::string_view text) {
    if (text.empty() || text.find_first_of(" \t") != std::string_view::npos) {
        return std::nullopt;
    }
    try {
        const double value = TextToFloat(text, '.');
        if (std::isfinite(value)) {
            return value;
        }
    } catch (const CommandError&) {
    }
    return std::nullopt;
}

namespace {

// A reason worded only in English.
constexpr PhraseTemplate kVerbatim{"verbatim", "%1"};

}  // namespace

void failOnLine(std::string_view kind, std::string_view fileName, int line,
                std::vector<Phrase> reason) {
    throw FileContentError(std::string(kind), std::string(fileName), line, std::move(reason));
}

void failOnFile(std::string_view kind, std::string_view fileName, std::vector<Phrase> reason) {
    failOnLine(kind, fileName, 0, std::move(reason));
}

void failOnLine(std::string_view kind, std::string_view fileName, int line,
                std::string_view reason) {
    failOnLine(kind, fileName, line, {{&kVerbatim, {{std::string(reason)}}}});
}

void failOnFile(std::string_view kind, std::string_view fileName, std::string_view reason) {
    failOnLine(kind, fileName, 0, reason);
}

}  // namespace trellon
