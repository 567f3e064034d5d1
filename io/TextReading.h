#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Phrase.h"

namespace trellon {

// One line of a text file without its line end, with its number counted from 1.
struct NumberedLine {
    int number = 0;
    std::string_view text;
};

// Splits the bytes at LF, dropping a CR before it and a UTF-8 byte order mark at the start.
std::vector<NumberedLine> splitLines(std::string_view bytes);

// The text without blanks and tabs at either end.
std::string_view trimmed(std::string_view text);

// The text with its ASCII capitals in lower case: header names and keywords match in any case.
std::string lowerCase(std::string_view text);

// A whole number in the file's own notation (decimal point, optional sign and exponent), or
// nothing for any other text, an infinity or a value beyond the double range.
std::optional<double> numberIn(std::string_view text);

// Throws FileContentError "Cannot read the <kind> '<file>', line <n>: <reason>".
[[noreturn]] void failOnLine(std::string_view kind, std::string_view fileName, int line,
                             std::vector<Phrase> reason);

// Throws FileContentError "Cannot read the <kind> '<file>': <reason>", for faults of the whole
// file.
[[noreturn]] void failOnFile(std::string_view kind, std::string_view fileName,
                             std::vector<Phrase> reason);

// The same for a reason the window shows as the command line words it.
[[noreturn]] void failOnLine(std::string_view kind, std::string_view fileName, int line,
                             std::string_view reason);
[[noreturn]] void failOnFile(std::string_view kind, std::string_view fileName,
                             std::string_view reason);

}  // namespace trellon
